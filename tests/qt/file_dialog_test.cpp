#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QFileDialog>
#include <QPointer>
#include <QTimer>
#include <filesystem>

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
      // A dialog that refused to close fails the test instead of hanging it.
      QPointer<QFileDialog> still(dialog);
      QTimer::singleShot(3000, [still] {
        if (still && still->isVisible()) {
          ADD_FAILURE() << "the file dialog did not close";
          still->reject();
        }
      });
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
  }
  ~FileDialogTest() override { fs::remove_all(folder); }

  fs::path folder;
  CQtWindow window;
};

TEST_F(FileDialogTest, ScriptDialogListsTextFilesAndAddsTheirExtension) {
  AnswerFileDialog([](QFileDialog& dialog) {
    EXPECT_EQ(dialog.defaultSuffix(), "txt");
    EXPECT_TRUE(dialog.nameFilters().contains("*.txt"));
    EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
    dialog.reject();
  });
  EXPECT_FALSE(window.ChooseFileToOpen({"txt", "*.txt", "", "", ""}).has_value());
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
