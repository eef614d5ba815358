#include "control/harkdeck_dlg.h"

namespace harkdeck {

void CHarkdeckDlg::ChooseSoundCard() {}

}  // namespace harkdeck
