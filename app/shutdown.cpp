#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

void CHarkdeckDlg::OnExit() {
  SaveSettings();
  OnOK();
}

void CHarkdeckDlg::OnOK() { m_window.EndDialog(CDialogResult::kOk); }

void CHarkdeckDlg::OnCancel() { m_window.EndDialog(CDialogResult::kCancel); }

void CHarkdeckDlg::OnDestroy() {
  // An armed recording is simply dropped; a running one is finished so that
  // its files are final.
  if (m_recording == 1) StopRecording();
}

void CHarkdeckDlg::OnSysCommand(int commandId) {
  if ((commandId & ~0xF) == kAboutCommand) m_window.ShowDialog(kAboutTemplate);
}

void CHarkdeckDlg::OnHelp() { m_services.shell.OpenDocument(m_services.helpPage); }

}  // namespace harkdeck
