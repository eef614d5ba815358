#include "app/harkdeck_app.h"

#include "control/harkdeck_dlg.h"

namespace harkdeck {

bool CHarkdeckApp::InitInstance() {
  CHarkdeckDlg dialog(m_services);
  m_host.RunModal(dialog);
  return false;
}

}  // namespace harkdeck
