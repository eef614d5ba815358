#include "control/harkdeck_dlg.h"

namespace harkdeck {

void CHarkdeckDlg::LoadPanelImages() { m_walkFrame = 0; }
void CHarkdeckDlg::ShowStateImages() {}

}  // namespace harkdeck
