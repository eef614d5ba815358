#include "control/harkdeck_dlg.h"

namespace harkdeck {

void CHarkdeckDlg::StartRecording() {}
void CHarkdeckDlg::ServiceCaptureBlocks(Time64 /*now*/) {}
void CHarkdeckDlg::StopRecording() { m_armed = 0; }
void CHarkdeckDlg::ReportWaveError(const std::string& /*prefix*/, MmResult /*code*/) {}

}  // namespace harkdeck
