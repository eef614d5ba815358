#include <array>
#include <stdexcept>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

struct CMessageMapEntry {
  int controlId;
  void (CHarkdeckDlg::*handler)();
};

constexpr std::array kMessageMap{
    CMessageMapEntry{kCtlArm, &CHarkdeckDlg::OnArm},
    CMessageMapEntry{kCtlRec, &CHarkdeckDlg::OnRec},
    CMessageMapEntry{kCtlStop, &CHarkdeckDlg::OnStop},
    CMessageMapEntry{kCtlPlay, &CHarkdeckDlg::OnPlay},
    CMessageMapEntry{kCtlVox, &CHarkdeckDlg::OnVox},
    CMessageMapEntry{kCtlMode, &CHarkdeckDlg::CycleDisplayMode},
    CMessageMapEntry{kCtlBack, &CHarkdeckDlg::SkipBack},
    CMessageMapEntry{kCtlForward, &CHarkdeckDlg::SkipForward},
    CMessageMapEntry{kCtlEditBar, &CHarkdeckDlg::EditTimes},
    CMessageMapEntry{kCtlSource, &CHarkdeckDlg::ChooseSoundCard},
    CMessageMapEntry{kCtlExit, &CHarkdeckDlg::OnExit},
    CMessageMapEntry{kCtlHelp, &CHarkdeckDlg::OnHelp},
    CMessageMapEntry{kCtlScript, &CHarkdeckDlg::ToggleScript},
    CMessageMapEntry{kCtlHalveStep, &CHarkdeckDlg::HalveSkipStep},
    CMessageMapEntry{kCtlDoubleStep, &CHarkdeckDlg::DoubleSkipStep},
};

}  // namespace

void CHarkdeckDlg::OnCommand(int controlId) {
  for (const auto& entry : kMessageMap) {
    if (entry.controlId != controlId) continue;
    // An invalid calendar field ends the handler; the user is told, and the
    // recorder goes on.
    try {
      (this->*entry.handler)();
    } catch (const std::invalid_argument& error) {
      m_window.MessageBox(error.what(), CBoxKind::kError);
    }
    return;
  }
}

}  // namespace harkdeck
