#pragma once

#include "control/platform_services.h"
#include "platform/dialog_host.h"

namespace harkdeck {

// Runs the main window and nothing else; the program ends with the dialog.
class CHarkdeckApp {
 public:
  CHarkdeckApp(const CPlatformServices& services, IDialogHost& host)
      : m_services(services), m_host(host) {}

  // Always false: there is nothing to run once the dialog has ended.
  bool InitInstance();

 private:
  CPlatformServices m_services;
  IDialogHost& m_host;
};

}  // namespace harkdeck
