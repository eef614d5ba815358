#include "control/harkdeck_dlg.h"

namespace harkdeck {

void CHarkdeckDlg::EditTimes() {}
void CHarkdeckDlg::SkipBack() {}
void CHarkdeckDlg::SkipForward() {}
void CHarkdeckDlg::SeekToTarget() {}

}  // namespace harkdeck
