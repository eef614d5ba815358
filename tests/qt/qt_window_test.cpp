#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QTimer>
#include <filesystem>

#include "app/harkdeck_app.h"
#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "platform/qt/qt_window.h"
#include "platform/sim/sim_sound_devices.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"

namespace harkdeck::test {
namespace {

TEST(QtWindowTest, RunsTicksShowsWelcomeAndExitSaves) {
  const auto home = std::filesystem::temp_directory_path() / "harkdeck-qt-window";
  std::filesystem::remove_all(home);
  CFakeClock clock;
  CFakeSettings settings;
  CFakeShell shell;
  CSimSoundDevices sound;
  CQtWindow window;
  CHarkdeckDlg dialog(
      CPlatformServices{clock, window, sound, settings, shell, "", home.string(), "help.html"});

  std::string statusSeen;
  QTimer::singleShot(600, [&] {
    statusSeen = static_cast<QLabel*>(window.Control(kCtlStatus))->text().toStdString();
    static_cast<QAbstractButton*>(window.Control(kCtlExit))->click();
  });
  EXPECT_EQ(window.RunModal(dialog), CDialogResult::kOk);
  EXPECT_EQ(statusSeen, "Welcome to Harkdeck.  Click on 'Help' for user information.");
  EXPECT_TRUE(settings.values.count("levelslider"));
  EXPECT_TRUE(std::filesystem::is_directory(home / "Documents/Harkdeck"));
  std::filesystem::remove_all(home);
}

}  // namespace
}  // namespace harkdeck::test
