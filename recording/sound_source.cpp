#include "control/harkdeck_dlg.h"

namespace harkdeck {

namespace {
// The desktop's mixer, opened on its input devices page. It has no way to be
// told a device, so the choice does not change the parameters.
constexpr const char* kMixerProgram = "pavucontrol";
constexpr const char* kMixerInputPage = "--tab=4";
}  // namespace

void CHarkdeckDlg::ChooseSoundCard() {
  ISoundDevices& devices = m_services.sound;
  const int count = devices.InputDeviceCount();
  m_soundCard = kDefaultDevice;
  for (int device = 0; device < count && m_soundCard == kDefaultDevice; ++device) {
    CInputCaps caps;
    // A device that cannot describe itself is as unusable as one without formats.
    if (devices.InputCaps(device, &caps) != kMmNoError || caps.formats == 0) continue;
    if (m_window.MessageBox("Use this soundcard? :\n" + caps.name, CBoxKind::kYesNo) ==
        CBoxAnswer::kYes) {
      m_soundCard = device;
    }
  }
  m_services.shell.Launch(kMixerProgram, kMixerInputPage);
}

}  // namespace harkdeck
