#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {
constexpr Time64 kQuickRecordSeconds = 300;
}  // namespace

void CHarkdeckDlg::OnArm() {
  if (m_playing != 0 || m_recording != 0) return;
  if (m_armed == 1) {
    m_armed = 0;
    m_window.SetImage(kCtlArm, kBmpArmSunken);
    SetStatus("Arming cancelled.");
  } else if (m_armed == 0) {
    if (m_endTime - m_beginTime < 1) {
      if (m_scriptActive != 1) m_window.ShowDialog(kInvalidTemplate);
      return;
    }
    m_armed = 1;
    m_displayMode = 3;
    m_window.SetImage(kCtlArm, kBmpArmSunken);
    SetStatus("Recording armed.  Recording will start after specified countdown.");
  }
}

void CHarkdeckDlg::OnRec() {
  const Time64 now = Now();
  m_window.SetImage(kCtlRec, kBmpRecSunken);
  if (m_playing == 1) return;
  if (m_recording == 1) {
    m_endTime = now;
    SetStatus("Recording ended");
  } else if (m_recording == 0) {
    m_beginTime = now;
    m_endTime = now + kQuickRecordSeconds;
    m_armed = 1;
    SetStatus(
        "The recording time (5 mins) can be adjusted by editing the 'Duration' (click on "
        "'Countdown')");
    m_displayMode = 2;
  }
}

void CHarkdeckDlg::OnStop() {
  m_window.SetImage(kCtlStop, kBmpStopSunken);
  if (m_playing == 1) {
    StopPlayback();
    SetStatus("Playback stopped");
  }
  m_window.SetImage(kCtlPlay, kBmpPlay);
  if (m_recording == 1) {
    m_endTime = Now();
    SetStatus("Recording stopped");
  }
  m_window.SetImage(kCtlRec, kBmpRec);
  if (m_armed == 1) {
    m_armed = 0;
    m_window.SetImage(kCtlArm, kBmpArm);
    SetStatus("Arming cancelled");
  }
  if (m_displayMode == 4) m_displayMode = 0;
}

void CHarkdeckDlg::OnPlay() {
  if (m_recording != 0 || m_armed != 0) return;
  m_window.SetImage(kCtlPlay, kBmpPlayLit);
  if (m_playing == 1) {
    StopPlayback();
    m_displayMode = 0;
    SetStatus("Playback ended");
  } else if (m_playing == 0) {
    StartPlayback();
    if (m_playing == 1) {
      m_displayMode = 4;
      SetStatus("Playback started");
    }
  }
}

void CHarkdeckDlg::OnVox() {
  m_window.SetImage(kCtlVox, kBmpVoxSunken);
  if (m_voxOn == 1) {
    m_voxOn = 0;
    SetStatus("Vox disabled");
  } else if (m_voxOn == 0) {
    m_voxOn = 1;
    SetStatus("Vox enabled");
  }
}

}  // namespace harkdeck
