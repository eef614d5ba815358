#include <stdexcept>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

// Marks a tick as running and restores the previous mark however it ends.
class CTickScope {
 public:
  explicit CTickScope(bool* flag) : m_flag(flag), m_saved(*flag) { *flag = true; }
  ~CTickScope() { *m_flag = m_saved; }
  CTickScope(const CTickScope&) = delete;
  CTickScope& operator=(const CTickScope&) = delete;

 private:
  bool* m_flag;
  bool m_saved;
};

}  // namespace

void CHarkdeckDlg::OnTimer(int /*timerId*/) {
  // Boxes opened from inside a tick run their own event loop; a tick arriving
  // there is dropped so that the recorder is never serviced re-entrantly.
  if (m_inTick) return;
  const CTickScope scope(&m_inTick);
  try {
    OnTick();
  } catch (const std::invalid_argument& error) {
    m_window.MessageBox(error.what(), CBoxKind::kError);
  }
}

void CHarkdeckDlg::OnTick() {
  const Time64 now = m_clock.Now();
  m_tickNow = now;
  const CTickScope scope(&m_inTick);
  const auto idle = [this] { return m_armed == 0 && m_recording == 0 && m_playing == 0; };

  if (m_recording == 1) ServiceCaptureBlocks(now);
  if (m_playing == 1) ServicePlaybackBlocks();

  if (m_armed == 1 && m_beginTime < now) {
    m_armed = 0;
    m_window.SetImage(kCtlArm, kBmpArm);
    m_window.SetImage(kCtlRec, kBmpRecLit);
    m_displayMode = 3;
    StartRecording();
  }

  if (m_recording == 1 && m_endTime < now) {
    m_window.SetImage(kCtlRec, kBmpRec);
    StopRecording();
  }

  if (idle()) {
    if (m_beginTime < now) m_beginTime = now;
    if (m_endTime < m_beginTime) m_endTime = m_beginTime;
  }

  ShowNow();
  ShowModeDisplay();
  ClearStatus(now);

  if (idle() && m_scriptActive == 1) RunScript();
}

void CHarkdeckDlg::SetStatus(const std::string& text) {
  m_statusText = text;
  m_window.SetImage(kCtlMarker, kBmpMarkerLit);
  UpdateTexts();
  m_statusTime = Now();
}

void CHarkdeckDlg::ClearStatus(Time64 now) {
  const Time64 age = now - m_statusTime;
  if (age < 0) return;
  if (age > 5) {
    m_statusText.clear();
    m_window.SetImage(kCtlMarker, kBmpMarkerDark);
    UpdateTexts();
    m_statusTime = now;
  }
}

void CHarkdeckDlg::UpdateTexts() {
  m_window.SetText(kCtlStatus, m_statusText);
  m_window.SetText(kCtlStepText, m_skipText);
}

}  // namespace harkdeck
