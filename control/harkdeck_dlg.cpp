#include "control/harkdeck_dlg.h"

#include "recording/block_ring.h"

namespace harkdeck {

CHarkdeckDlg::CHarkdeckDlg(const CPlatformServices& services)
    : m_services(services), m_clock(services.clock), m_window(services.window) {}

CHarkdeckDlg::~CHarkdeckDlg() {
  // The ring outlives no window: drop whatever a stopped device left behind.
  // Devices go first, since one still open hands its queued headers back as
  // it closes.
  g_waveIn.reset();
  g_waveOut.reset();
  g_inHeaders = {};
  g_outHeaders = {};
  FreeBlockBuffers();
}

Time64 CHarkdeckDlg::Now() { return m_inTick ? m_tickNow : m_clock.Now(); }

}  // namespace harkdeck
