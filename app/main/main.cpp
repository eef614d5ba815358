#include <QApplication>
#include <filesystem>
#include <string>

#include "app/harkdeck_app.h"
#include "platform/posix/desktop_shell.h"
#include "platform/posix/home_path.h"
#include "platform/posix/settings_file.h"
#include "platform/posix/system_clock.h"
#include "platform/qt/qt_window.h"
#ifdef HARKDECK_PULSE
#include "platform/pulse/pulse_sound_devices.h"
#endif

namespace {

using namespace harkdeck;

#ifndef HARKDECK_PULSE
// Stands in when no sound backend is built in: every open fails as "no driver".
class CNoSoundDevices final : public ISoundDevices {
 public:
  int InputDeviceCount() override { return 0; }
  MmResult InputCaps(int, CInputCaps*) override { return kMmBadDeviceId; }
  MmResult OpenInput(std::unique_ptr<IWaveIn>*, int, const CWaveFormat&) override {
    return kMmNoDriver;
  }
  MmResult OpenOutput(std::unique_ptr<IWaveOut>*, int, const CWaveFormat&) override {
    return kMmNoDriver;
  }
};
#endif

std::string CommandLineText(int argc, char** argv) {
  std::string text;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) text += ' ';
    text += argv[i];
  }
  return text;
}

std::string HelpPage(const char* program) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path installed =
      fs::canonical(fs::path("/proc/self/exe"), error).parent_path().parent_path() /
      "share/doc/harkdeck/harkdeck.html";
  if (!error && fs::exists(installed, error)) return installed.string();
  (void)program;
  return std::string(HARKDECK_SOURCE_DIR) + "/res/help/harkdeck.html";
}

}  // namespace

int main(int argc, char** argv) {
  const std::string commandLine = CommandLineText(argc, argv);
  QApplication application(argc, argv);
  CSystemClock clock;
  CSettingsFile settings(CSettingsFile::DefaultPath());
  CDesktopShell shell;
#ifdef HARKDECK_PULSE
  CPulseSoundDevices sound;
#else
  CNoSoundDevices sound;
#endif
  CQtWindow window;
  const CPlatformServices services{clock, window,      sound,          settings,
                                   shell, commandLine, UserHomePath(), HelpPage(argv[0])};
  CHarkdeckApp app(services, window);
  return app.InitInstance() ? 1 : 0;
}
