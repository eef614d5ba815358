#include "control/harkdeck_dlg.h"

namespace harkdeck {

void CHarkdeckDlg::StartPlayback() {}
void CHarkdeckDlg::ServicePlaybackBlocks() {}
void CHarkdeckDlg::StopPlayback() {}

}  // namespace harkdeck
