#include "platform/qt/qt_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "platform/qt/hint_dialogs.h"
#include "platform/qt/image_control.h"
#include "platform/qt/panel_layout.h"
#include "platform/qt/panel_widgets.h"

namespace harkdeck {

namespace {

QString FromView(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CQtWindow::CQtWindow() {
  setWindowTitle(FromView(kMainTitle));
  setWindowIcon(m_bitmaps.ProgramIcon());
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFixedSize(FromDialogUnits(0, 0, kMainWidthDu, kMainHeightDu).size());
  SetPanelColours(this);
  BuildPanel();
  connect(&m_timer, &QTimer::timeout, this, [this] {
    if (m_dialog != nullptr) m_dialog->OnTimer(m_timerId);
  });
}

void CQtWindow::BuildPanel() {
  for (const CTemplateControl& entry : PanelControls()) {
    const QRect place = FromDialogUnits(entry.x, entry.y, entry.width, entry.height);
    QWidget* control = nullptr;
    switch (entry.kind) {
      case CControlKind::kButton:
      case CControlKind::kBitmap: {
        const bool notify = entry.kind == CControlKind::kButton;
        auto* image = new CImageControl(this, notify);
        image->move(place.topLeft());
        image->resize(place.size());
        image->ShowImage(entry.image, m_bitmaps.Find(entry.image));
        if (notify) {
          const int id = entry.id;
          connect(image, &CImageControl::clicked, this,
                  [this, id](Qt::KeyboardModifiers modifiers) { Click(id, modifiers); });
        }
        if (entry.id != -1) m_images[entry.id] = image;
        control = image;
        break;
      }
      case CControlKind::kGroupBox:
        control = MakeGroupBox(this, place);
        break;
      case CControlKind::kMeter:
        m_meter = MakeMeter(this, place);
        control = m_meter;
        break;
      case CControlKind::kSlider:
        m_slider = MakeSlider(this, place);
        control = m_slider;
        break;
      case CControlKind::kText:
      case CControlKind::kCentredText:
        control = MakeText(this, place, QString::fromLatin1(entry.text),
                           entry.kind == CControlKind::kCentredText);
        break;
    }
    if (entry.id != -1) {
      control->setObjectName(QString::number(entry.id));
      m_controls[entry.id] = control;
    }
  }
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

void CQtWindow::Click(int controlId, Qt::KeyboardModifiers modifiers) {
  m_clickModifiers = modifiers;
  if (m_dialog != nullptr) m_dialog->OnCommand(controlId);
}

void CQtWindow::SetImage(int controlId, int bitmapId) {
  const auto found = m_images.find(controlId);
  if (found != m_images.end()) found->second->ShowImage(bitmapId, m_bitmaps.Find(bitmapId));
}

int CQtWindow::ImageOf(int controlId) const {
  const auto found = m_images.find(controlId);
  return found == m_images.end() ? 0 : found->second->BitmapId();
}

void CQtWindow::SetText(int controlId, const std::string& text) {
  if (auto* label = qobject_cast<QLabel*>(Control(controlId)); label != nullptr) {
    ShowFittedText(label, QString::fromStdString(text));
  }
}

void CQtWindow::SetMeter(int position) {
  if (m_meter->value() != position) m_meter->setValue(position);
}

int CQtWindow::SliderPosition() { return m_slider->value(); }

void CQtWindow::SetSliderPosition(int position) { m_slider->setValue(position); }

void CQtWindow::SetTitle(const std::string& title) {
  setWindowTitle(QString::fromStdString(title));
}

CBoxAnswer CQtWindow::MessageBox(const std::string& text, CBoxKind kind) {
  QMessageBox box(this);
  box.setPalette(QApplication::palette());
  box.setWindowTitle(windowTitle());
  box.setText(QString::fromStdString(text));
  switch (kind) {
    case CBoxKind::kOk:
      box.setIcon(QMessageBox::Information);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case CBoxKind::kError:
      box.setIcon(QMessageBox::Critical);
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case CBoxKind::kYesNo:
      box.setIcon(QMessageBox::Question);
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
  }
  const int answer = box.exec();
  if (kind != CBoxKind::kYesNo) return CBoxAnswer::kOk;
  return answer == QMessageBox::Yes ? CBoxAnswer::kYes : CBoxAnswer::kNo;
}

void CQtWindow::ShowDialog(const CDialogTemplate& dialog) {
  RunTemplateDialog(this, dialog, m_bitmaps.ProgramIcon());
}

bool CQtWindow::EditText(const std::string& caption, std::string* text) {
  return RunDateTimeDialog(this, caption, text);
}

std::optional<std::string> CQtWindow::ChooseFileToOpen(const CFileDialogRequest& request) {
  QFileDialog dialog(this);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!request.initialFolder.empty()) {
    dialog.setDirectory(QString::fromStdString(request.initialFolder));
  }
  if (!request.defaultExtension.empty()) {
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  }
  // A pattern given as the proposed name ("*.txt") narrows the list as the
  // filter does; a plain name is proposed as it is.
  QStringList filters;
  if (!request.filterName.empty()) {
    filters << QString::fromStdString(request.filterName);
  } else if (request.fileName.find('*') != std::string::npos) {
    filters << QString::fromStdString(request.fileName);
  }
  if (!filters.isEmpty()) dialog.setNameFilters(filters << QStringLiteral("All files (*)"));
  if (!request.fileName.empty() && request.fileName.find('*') == std::string::npos) {
    dialog.selectFile(QString::fromStdString(request.fileName));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().front().toStdString();
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
  menu.setPalette(QApplication::palette());
  QAction* about = menu.addAction(FromView(kAboutMenuText));
  if (menu.exec(event->globalPos()) == about && m_dialog != nullptr) {
    m_dialog->OnSysCommand(kAboutCommand);
  }
}

}  // namespace harkdeck
