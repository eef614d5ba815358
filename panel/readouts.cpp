#include <cstdio>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "panel/readout_digits.h"

namespace harkdeck {

namespace {

constexpr int kModeLabels[] = {kBmpModeBegin, kBmpModeEnd, kBmpModeDuration, kBmpModeCountdown,
                               kBmpModeRecorded};

void ShowDigits(IWindow& window, int firstControl, const CDigitImages& images) {
  for (int i = 0; i < static_cast<int>(images.size()); ++i) {
    window.SetImage(firstControl + i, images[i]);
  }
}

}  // namespace

void CHarkdeckDlg::ShowNow() { ShowDigits(m_window, kCtlNowFirst, DateTimeDigits(Now())); }

void CHarkdeckDlg::ShowModeDisplay() {
  const Time64 now = Now();
  const int mode = m_displayMode;
  if (mode >= 0 && mode <= 4) m_window.SetImage(kCtlMode, kModeLabels[mode]);
  if (mode == 0 || mode == 1 || mode == 4) {
    const Time64 value = mode == 0 ? m_beginTime : mode == 1 ? m_endTime : m_recordedTime;
    ShowDigits(m_window, kCtlYear1000, DateTimeDigits(value));
    m_window.SetImage(kCtlSeparator1, kBmpDash);
    m_window.SetImage(kCtlSeparator2, kBmpDash);
  } else if (mode == 2 || mode == 3) {
    std::int64_t span = m_endTime - m_beginTime;
    if (mode == 3) span = (m_recording != 0 ? m_endTime : m_beginTime) - now;
    const CSpanImages images = SpanDigits(span);
    ShowDigits(m_window, kCtlYear1000, images.digits);
    m_window.SetImage(kCtlSeparator1, images.separator1);
    m_window.SetImage(kCtlSeparator2, images.separator2);
  }
  ShowStateImages();
  char text[16];
  std::snprintf(text, sizeof text, "%ds", static_cast<int>(m_skipSeconds));
  m_skipText = text;
  UpdateTexts();
}

void CHarkdeckDlg::CycleDisplayMode() {
  // Mode 4 belongs to playback: the key does nothing then.
  if (m_displayMode >= 0 && m_displayMode <= 3) m_displayMode = (m_displayMode + 1) % 4;
}

void CHarkdeckDlg::DoubleSkipStep() {
  constexpr std::int32_t kLongestStep = 64;
  m_skipSeconds = m_skipSeconds > kLongestStep / 2 ? kLongestStep : 2 * m_skipSeconds;
}

void CHarkdeckDlg::HalveSkipStep() {
  m_skipSeconds /= 2;
  if (m_skipSeconds < 1) m_skipSeconds = 1;
}

}  // namespace harkdeck
