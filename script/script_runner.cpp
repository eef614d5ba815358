#include "control/harkdeck_dlg.h"

namespace harkdeck {

bool CHarkdeckDlg::OpenScript(const std::string& /*path*/) { return false; }
void CHarkdeckDlg::ToggleScript() {}
void CHarkdeckDlg::RunScript() {}
Time64 CHarkdeckDlg::NextTimeOfDay(int /*hour*/, int /*minute*/, int /*second*/) { return 0; }

}  // namespace harkdeck
