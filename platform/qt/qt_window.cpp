#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

// Dialog units of the window's 8-point font at 96 dpi.
QRect FromDialogUnits(int x, int y, int width, int height) {
  return {x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8};
}

}  // namespace

CQtWindow::CQtWindow() {
  setWindowTitle(QString::fromUtf8(kMainTitle.data(), static_cast<int>(kMainTitle.size())));
  setFixedSize(FromDialogUnits(0, 0, kMainWidthDu, kMainHeightDu).size());
  QPalette colours = palette();
  colours.setColor(QPalette::Window, QColor(0, 0, 128));
  colours.setColor(QPalette::WindowText, QColor(255, 255, 0));
  setPalette(colours);
  setAutoFillBackground(true);

  auto* status = new QLabel(this);
  status->setGeometry(FromDialogUnits(15, 110, 301, 8));
  m_controls[kCtlStatus] = status;

  auto* exitKey = new QPushButton(QStringLiteral("Exit"), this);
  exitKey->setGeometry(FromDialogUnits(250, 122, 53, 28));
  exitKey->setAutoDefault(false);
  connect(exitKey, &QPushButton::clicked, this, [this] { Click(kCtlExit); });
  m_controls[kCtlExit] = exitKey;

  connect(&m_timer, &QTimer::timeout, this, [this] {
    if (m_dialog != nullptr) m_dialog->OnTimer(m_timerId);
  });
}

CDialogResult CQtWindow::RunModal(CHarkdeckDlg& dialog) {
  m_dialog = &dialog;
  dialog.OnInitDialog();
  const int result = exec();
  m_timer.stop();
  dialog.OnDestroy();
  m_dialog = nullptr;
  return result == QDialog::Accepted ? CDialogResult::kOk : CDialogResult::kCancel;
}

void CQtWindow::Click(int controlId) {
  m_clickModifiers = QApplication::keyboardModifiers();
  if (m_dialog != nullptr) m_dialog->OnCommand(controlId);
}

void CQtWindow::SetImage(int /*controlId*/, int /*bitmapId*/) {}

void CQtWindow::SetText(int controlId, const std::string& text) {
  if (auto* label = qobject_cast<QLabel*>(Control(controlId)); label != nullptr) {
    const QString value = QString::fromStdString(text);
    if (label->text() != value) label->setText(value);
  }
}

void CQtWindow::SetMeter(int /*position*/) {}

int CQtWindow::SliderPosition() { return m_slider; }

void CQtWindow::SetSliderPosition(int position) { m_slider = position; }

void CQtWindow::SetTitle(const std::string& title) { setWindowTitle(QString::fromStdString(title)); }

CBoxAnswer CQtWindow::MessageBox(const std::string& text, CBoxKind kind) {
  const QString title = windowTitle();
  const QString body = QString::fromStdString(text);
  switch (kind) {
    case CBoxKind::kOk:
      QMessageBox::information(this, title, body);
      return CBoxAnswer::kOk;
    case CBoxKind::kError:
      QMessageBox::critical(this, title, body);
      return CBoxAnswer::kOk;
    case CBoxKind::kYesNo:
      return QMessageBox::question(this, title, body, QMessageBox::Yes | QMessageBox::No) ==
                     QMessageBox::Yes
                 ? CBoxAnswer::kYes
                 : CBoxAnswer::kNo;
  }
  return CBoxAnswer::kOk;
}

void CQtWindow::ShowDialog(const CDialogTemplate& dialog) {
  QString text;
  for (int i = 0; i < dialog.lineCount; ++i) {
    if (i > 0) text += '\n';
    text += QString::fromUtf8(dialog.lines[i].text.data(), static_cast<int>(dialog.lines[i].text.size()));
  }
  QMessageBox::information(
      this, QString::fromUtf8(dialog.title.data(), static_cast<int>(dialog.title.size())), text);
}

bool CQtWindow::EditText(const std::string& /*caption*/, std::string* /*text*/) { return false; }

std::optional<std::string> CQtWindow::ChooseFileToOpen(const CFileDialogRequest& request) {
  const QString filter = request.filterName.empty()
                             ? QString()
                             : QString::fromStdString(request.filterName);
  const QString path = QFileDialog::getOpenFileName(
      this, QString(), QString::fromStdString(request.initialFolder), filter);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

bool CQtWindow::IsCtrlDown() { return (m_clickModifiers & Qt::ControlModifier) != 0; }

void CQtWindow::StartTimer(int id, int periodMs) {
  m_timerId = id;
  m_timer.start(periodMs);
}

void CQtWindow::EndDialog(CDialogResult result) {
  done(result == CDialogResult::kOk ? QDialog::Accepted : QDialog::Rejected);
}

QWidget* CQtWindow::Control(int controlId) const {
  const auto found = m_controls.find(controlId);
  return found == m_controls.end() ? nullptr : found->second;
}

void CQtWindow::keyPressEvent(QKeyEvent* event) {
  if (m_dialog == nullptr) return QDialog::keyPressEvent(event);
  switch (event->key()) {
    case Qt::Key_Escape:
      m_dialog->OnCancel();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      m_dialog->OnOK();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

void CQtWindow::closeEvent(QCloseEvent* event) {
  // The close box takes the cancel path; done() then hides the window.
  event->ignore();
  if (m_dialog != nullptr) m_dialog->OnCancel();
}

void CQtWindow::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  QAction* about = menu.addAction(QString::fromUtf8(kAboutMenuText.data(),
                                                    static_cast<int>(kAboutMenuText.size())));
  if (menu.exec(event->globalPos()) == about && m_dialog != nullptr) {
    m_dialog->OnSysCommand(kAboutCommand);
  }
}

}  // namespace harkdeck
