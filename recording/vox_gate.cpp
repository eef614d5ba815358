#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "recording/block_level.h"

namespace harkdeck {

namespace {

constexpr int kVoxHangBlocks = 5;
constexpr char kVoxPaused[] = "Recording paused by Vox level";
constexpr char kVoxResumed[] = "Recording resumed";

}  // namespace

double CHarkdeckDlg::MeasureBlockLevel(const std::uint8_t* block, std::uint32_t count) {
  const double level = BlockLevel(block, count);
  m_window.SetMeter(MeterPosition(level));
  return level;
}

void CHarkdeckDlg::UpdateVoxGate(double level, Time64 now) {
  // The slider's top is position 0, so a higher thumb is a higher threshold.
  const int threshold = 100 - m_window.SliderPosition();
  if (level > static_cast<double>(threshold)) {
    m_voxHang = kVoxHangBlocks;
    if (m_statusText == kVoxPaused) {
      m_statusText = kVoxResumed;
      m_window.SetText(kCtlStatus, m_statusText);
      m_statusTime = now;
    }
  } else if (m_voxHang > 0) {
    --m_voxHang;
  }
}

// Renewed with every dropped block, so the tick's six-second clearing leaves
// it standing while the gate stays closed.
void CHarkdeckDlg::ShowVoxPaused(Time64 now) {
  m_statusText = kVoxPaused;
  m_statusTime = now;
  m_window.SetImage(kCtlMarker, kBmpMarkerLit);
  m_window.SetText(kCtlStatus, m_statusText);
}

void CHarkdeckDlg::ShowVoxDot() {
  m_window.SetImage(kCtlVox, m_voxHang > 0 ? kBmpVoxGreen : kBmpVoxRed);
}

}  // namespace harkdeck
