#pragma once

#include <QDialog>
#include <QTimer>
#include <map>

#include "platform/dialog_host.h"
#include "platform/qt/panel_bitmaps.h"

class QProgressBar;
class QSlider;

namespace harkdeck {

class CImageControl;

// The main window on Qt: the tape-deck panel. Draws what the recorder sets
// and turns clicks and keys into its handlers.
class CQtWindow final : public QDialog, public IWindow, public IDialogHost {
  Q_OBJECT

 public:
  CQtWindow();

  IWindow& Window() override { return *this; }
  CDialogResult RunModal(CHarkdeckDlg& dialog) override;

  void SetImage(int controlId, int bitmapId) override;
  void SetText(int controlId, const std::string& text) override;
  void SetMeter(int position) override;
  int SliderPosition() override;
  void SetSliderPosition(int position) override;
  void SetTitle(const std::string& title) override;
  CBoxAnswer MessageBox(const std::string& text, CBoxKind kind) override;
  void ShowDialog(const CDialogTemplate& dialog) override;
  bool EditText(const std::string& caption, std::string* text) override;
  std::optional<std::string> ChooseFileToOpen(const CFileDialogRequest& request) override;
  bool IsCtrlDown() override;
  void StartTimer(int id, int periodMs) override;
  void EndDialog(CDialogResult result) override;

  // The control with this id, for tests that click it.
  QWidget* Control(int controlId) const;
  // The image a bitmap control shows, 0 for none.
  int ImageOf(int controlId) const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void BuildPanel();
  void Click(int controlId, Qt::KeyboardModifiers modifiers);

  CPanelBitmaps m_bitmaps;
  CHarkdeckDlg* m_dialog = nullptr;
  QTimer m_timer;
  int m_timerId = 0;
  std::map<int, QWidget*> m_controls;
  std::map<int, CImageControl*> m_images;
  QProgressBar* m_meter = nullptr;
  QSlider* m_slider = nullptr;
  Qt::KeyboardModifiers m_clickModifiers;
};

}  // namespace harkdeck
