#include "control/harkdeck_dlg.h"

namespace harkdeck {

void CHarkdeckDlg::ShowNow() {}
void CHarkdeckDlg::ShowModeDisplay() {
  ShowStateImages();
  UpdateTexts();
}
void CHarkdeckDlg::CycleDisplayMode() {}
void CHarkdeckDlg::DoubleSkipStep() {}
void CHarkdeckDlg::HalveSkipStep() {}

}  // namespace harkdeck
