#include <gtest/gtest.h>

#include <QLabel>

#include "panel/panel_ids.h"
#include "tests/qt/panel_test_support.h"

namespace harkdeck::test {
namespace {

TEST(QtWindowTest, RunsTicksShowsWelcomeAndExitSaves) {
  CQtPanel panel("window", 1'700'000'000);
  std::string statusSeen;
  EXPECT_EQ(panel.Run([&] {
    QTest::qWait(600);
    statusSeen = static_cast<QLabel*>(panel.window.Control(kCtlStatus))->text().toStdString();
    panel.Click(kCtlExit);
  }),
            CDialogResult::kOk);
  EXPECT_EQ(statusSeen, "Welcome to Harkdeck.  Click on 'Help' for user information.");
  EXPECT_TRUE(panel.settings.values.count("levelslider"));
  EXPECT_TRUE(std::filesystem::is_directory(panel.home / "Documents/Harkdeck"));
}

}  // namespace
}  // namespace harkdeck::test
