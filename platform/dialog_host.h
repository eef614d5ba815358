#pragma once

#include "platform/window.h"

namespace harkdeck {

class CHarkdeckDlg;

// Runs the main window modally: creates it, calls OnInitDialog, delivers the
// timer and the clicks, and calls OnDestroy when the dialog has ended.
class IDialogHost {
 public:
  virtual ~IDialogHost() = default;
  virtual IWindow& Window() = 0;
  virtual CDialogResult RunModal(CHarkdeckDlg& dialog) = 0;
};

}  // namespace harkdeck
