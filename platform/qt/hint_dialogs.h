#pragma once

#include <QIcon>
#include <string>

#include "platform/window.h"

class QWidget;

namespace harkdeck {

// The About box and the "Helpful hints" dialogs: their lines, the program
// icon where the template has it, and OK as the default button. Escape and
// the close box cancel.
CDialogResult RunTemplateDialog(QWidget* owner, const CDialogTemplate& dialog, const QIcon& icon);

// The date-time edit dialog: a caption, one edit box, Cancel and OK. True on
// OK, with *text replaced by what the edit box holds.
bool RunDateTimeDialog(QWidget* owner, const std::string& caption, std::string* text);

}  // namespace harkdeck
