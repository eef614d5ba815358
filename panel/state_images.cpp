#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

// The images themselves belong to the window, which draws its whole set once
// when it is created; from here on they are only swapped by id.
void CHarkdeckDlg::LoadPanelImages() { m_walkFrame = 0; }

void CHarkdeckDlg::ShowStateImages() {
  const bool recording = m_recording != 0;
  const bool playing = m_playing != 0;
  const bool voxOn = m_voxOn != 0;

  m_window.SetImage(kCtlRec, recording ? kBmpRecLit : kBmpRec);
  m_window.SetImage(kCtlArm, m_armed != 0 ? kBmpArmLit : kBmpArm);
  m_window.SetImage(kCtlPlay, playing ? kBmpPlayLit : kBmpPlay);
  m_window.SetImage(kCtlForward, playing ? kBmpForward : kBmpArrowBlank);
  m_window.SetImage(kCtlBack, playing ? kBmpBack : kBmpArrowBlank);

  int vox = kBmpVox;
  if (voxOn && !recording) vox = kBmpVoxYellow;
  if (voxOn && recording) vox = m_voxHang > 0 ? kBmpVoxGreen : kBmpVoxRed;
  m_window.SetImage(kCtlVox, vox);

  m_window.SetImage(kCtlStop, kBmpStop);

  if (recording || playing) {
    // The figure stands still in mid-stride while the gate holds closed.
    const bool gateClosed = voxOn && m_voxHang == 0;
    if (!gateClosed) m_walkFrame = (m_walkFrame + 1) % 4;
    m_window.SetImage(kCtlFigure, kBmpWalk0 + m_walkFrame);
  } else {
    m_window.SetImage(kCtlFigure, m_armed != 0 ? kBmpCrouched : kBmpStanding);
  }

  m_window.SetImage(kCtlScript, m_scriptActive != 0 ? kBmpScriptLit : kBmpScript);
}

}  // namespace harkdeck
