#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "platform/qt/qt_window.h"

namespace harkdeck::test {
namespace {

namespace fs = std::filesystem;

// Answers the file dialog once it shows, after checking how it was set up.
template <typename Check>
void AnswerFileDialog(Check check) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, check] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QFileDialog*>(widget);
      if (dialog == nullptr || !dialog->isVisible()) continue;
      poll->stop();
      poll->deleteLater();
      check(*dialog);
      return;
    }
  });
  poll->start(50);
}

class FileDialogTest : public ::testing::Test {
 protected:
  FileDialogTest()
      : folder(fs::temp_directory_path() / ("harkdeck-file-dialog-" + std::to_string(getpid()))) {
    fs::create_directories(folder);
    std::ofstream(folder / "daily.txt") << "arm:\n";
  }
  ~FileDialogTest() override { fs::remove_all(folder); }

  fs::path folder;
  CQtWindow window;
};

TEST_F(FileDialogTest, ScriptDialogListsTextFilesAndAddsTheExtension) {
  AnswerFileDialog([this](QFileDialog& dialog) {
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_TRUE(dialog.nameFilters().contains("*.txt"));
    // Typed without its extension.
    dialog.selectFile(QString::fromStdString((folder / "daily").string()));
    QMetaObject::invokeMethod(&dialog, "accept");
  });
  const auto chosen = window.ChooseFileToOpen({"txt", "*.txt", "", "", ""});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(fs::path(*chosen), folder / "daily.txt");
}

TEST_F(FileDialogTest, CancelGivesNothing) {
  AnswerFileDialog([this](QFileDialog& dialog) {
    EXPECT_EQ(dialog.directory().absolutePath().toStdString(), folder.string());
    EXPECT_TRUE(dialog.nameFilters().contains("Wave files (*.wav)"));
    dialog.reject();
  });
  EXPECT_FALSE(window
                   .ChooseFileToOpen(
                       {"wav", "1211080000.wav", "Wave files (*.wav)", "*.wav", folder.string()})
                   .has_value());
}

}  // namespace
}  // namespace harkdeck::test
