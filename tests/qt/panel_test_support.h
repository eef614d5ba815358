#pragma once

#include <QApplication>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <string>

#include "control/harkdeck_dlg.h"
#include "platform/qt/qt_window.h"
#include "platform/sim/sim_sound_devices.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"

namespace harkdeck::test {

// The real window on a fake clock and a simulated sound card, its home in a
// fresh folder. Run() starts it modally and performs the steps inside.
class CQtPanel {
 public:
  explicit CQtPanel(const std::string& name, Time64 now)
      : home(std::filesystem::temp_directory_path() / ("harkdeck-qt-" + name)), clock(now) {
    std::filesystem::remove_all(home);
  }
  ~CQtPanel() { std::filesystem::remove_all(home); }

  CDialogResult Run(const std::function<void()>& steps) {
    QTimer::singleShot(0, [&] {
      steps();
      if (window.isVisible()) window.EndDialog(CDialogResult::kCancel);
    });
    return window.RunModal(dialog);
  }

  void Click(int controlId, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::mouseClick(window.Control(controlId), Qt::LeftButton, modifiers, QPoint(5, 5));
  }

  // Runs `answer` on the next modal dialog to open, once it shows.
  static void OnNextModal(const std::function<void(QWidget*)>& answer) {
    QTimer::singleShot(50, [answer] {
      if (QWidget* modal = QApplication::activeModalWidget()) answer(modal);
    });
  }

  // Saves an image under $HARKDECK_SCREENSHOTS, or the build's screenshots
  // folder.
  static void SaveShot(const QPixmap& shot, const char* name) {
    QByteArray folder = qgetenv("HARKDECK_SCREENSHOTS");
    if (folder.isEmpty()) folder = HARKDECK_SCREENSHOT_DIR;
    QDir().mkpath(QString::fromLocal8Bit(folder));
    shot.save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
  }
  static void Screenshot(QWidget* shown, const char* name) { SaveShot(shown->grab(), name); }
  void Screenshot(const char* name) { Screenshot(&window, name); }

  std::filesystem::path home;
  CFakeClock clock;
  CFakeSettings settings;
  CFakeShell shell;
  CSimSoundDevices sound;
  CQtWindow window;
  CHarkdeckDlg dialog{
      CPlatformServices{clock, window, sound, settings, shell, "", home.string(), "help.html"}};
};

}  // namespace harkdeck::test
