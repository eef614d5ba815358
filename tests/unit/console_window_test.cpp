#include "platform/console/console_window.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "control/harkdeck_dlg.h"
#include "panel/panel_ids.h"
#include "platform/console/console_panel.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_sound.h"

namespace harkdeck {
namespace {

namespace fs = std::filesystem;

// Pipes in place of the terminal: keys are written ahead, the screen is read
// back afterwards.
class ConsoleWindowTest : public ::testing::Test {
 protected:
  ConsoleWindowTest() {
    EXPECT_EQ(pipe(m_keys), 0);
    EXPECT_EQ(pipe(m_screen), 0);
    EXPECT_EQ(pipe(m_signal), 0);
    folder = fs::temp_directory_path() /
             ("harkdeck-console-" +
              std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    errors = std::tmpfile();
    log = std::tmpfile();
  }
  ~ConsoleWindowTest() override {
    for (int fd : {m_keys[0], m_keys[1], m_screen[0], m_screen[1], m_signal[0], m_signal[1]}) {
      close(fd);
    }
    std::fclose(errors);
    std::fclose(log);
    fs::remove_all(folder);
  }

  CConsoleWindow::CStreams Streams(bool interactive) const {
    CConsoleWindow::CStreams streams;
    streams.input = m_keys[0];
    streams.output = m_screen[1];
    streams.log = log;
    streams.errors = errors;
    streams.interactive = interactive;
    return streams;
  }

  void Type(const std::string& keys) {
    ASSERT_EQ(write(m_keys[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
  }
  void EndInput() {
    close(m_keys[1]);
    m_keys[1] = -1;
  }
  void RaiseSignal() { ASSERT_EQ(write(m_signal[1], "x", 1), 1); }
  int SignalFd() const { return m_signal[0]; }

  std::string Screen() {
    close(m_screen[1]);
    m_screen[1] = -1;
    std::string text;
    char buffer[4096];
    ssize_t got;
    while ((got = read(m_screen[0], buffer, sizeof buffer)) > 0) text.append(buffer, got);
    return text;
  }

  static std::string Contents(std::FILE* file) {
    std::rewind(file);
    std::string text;
    int c;
    while ((c = std::fgetc(file)) != EOF) text += static_cast<char>(c);
    return text;
  }

  fs::path folder;
  std::FILE* errors;
  std::FILE* log;
  test::CFakeClock clock;
  test::CFakeSettings settings;
  test::CFakeShell shell;
  test::CFakeSound sound;

 private:
  int m_keys[2];
  int m_screen[2];
  int m_signal[2];
};

TEST_F(ConsoleWindowTest, KeysTypedAheadReachThePromptTheyOpen) {
  clock.Set(1'700'000'000);
  CConsoleWindow window(Streams(true), -1);
  CHarkdeckDlg dlg(
      CPlatformServices{clock, window, sound, settings, shell, "", folder.string(), "help.html"});
  // Arm with the end time not after the begin time brings up a hint; Enter
  // answers it and q closes the window.
  Type("a\nq");
  EXPECT_EQ(window.RunModal(dlg), CDialogResult::kCancel);
  const std::string screen = Screen();
  EXPECT_NE(screen.find("Helpful hints: Use the 'edit' button to adjust the"), std::string::npos);
  EXPECT_EQ(dlg.m_armed, 0);
}

TEST_F(ConsoleWindowTest, EndSignalClosesTheWindowTheCancelWay) {
  CConsoleWindow window(Streams(false), SignalFd());
  CHarkdeckDlg dlg(
      CPlatformServices{clock, window, sound, settings, shell, "", folder.string(), "help.html"});
  RaiseSignal();
  EXPECT_EQ(window.RunModal(dlg), CDialogResult::kCancel);
  // The cancel path does not save the settings.
  EXPECT_EQ(settings.values.count("levelslider"), 0u);
}

TEST_F(ConsoleWindowTest, WithoutTerminalBoxesAreLoggedAndTakeTheirDefault) {
  CConsoleWindow window(Streams(false), -1);
  EXPECT_EQ(window.MessageBox("Use this soundcard? :\nLine in", CBoxKind::kYesNo),
            CBoxAnswer::kYes);
  EXPECT_EQ(window.MessageBox("Disk full", CBoxKind::kError), CBoxAnswer::kOk);
  window.ShowDialog(kNoTimeTemplate);
  std::string text = "2030-01-01 08:00:00";
  EXPECT_FALSE(window.EditText("Begin time", &text));
  EXPECT_EQ(text, "2030-01-01 08:00:00");
  EXPECT_FALSE(window.ChooseFileToOpen({"wav", "*.wav", "Wave files (*.wav)", "*.wav", ""}));

  const std::string logged = Contents(errors);
  EXPECT_NE(logged.find("Use this soundcard? :\nLine in"), std::string::npos);
  EXPECT_NE(logged.find("Error: Disk full"), std::string::npos);
  EXPECT_NE(logged.find("There is no time file associated with this wave file."),
            std::string::npos);
  // Every entry starts with its date-time.
  EXPECT_EQ(logged.find_first_of("0123456789"), 0u);
}

TEST_F(ConsoleWindowTest, StatusAndTitleAreLoggedOnceEachWithoutTerminal) {
  CConsoleWindow window(Streams(false), -1);
  window.SetText(kCtlStatus, "Recording resumed");
  window.SetText(kCtlStatus, "Recording resumed");
  window.SetText(kCtlStatus, "");
  window.SetTitle("Harkdeck - recording 1211080000.wav");
  const std::string logged = Contents(log);
  EXPECT_EQ(logged.find("Recording resumed"), logged.rfind("Recording resumed"));
  EXPECT_NE(logged.find("Harkdeck - recording 1211080000.wav"), std::string::npos);
}

TEST_F(ConsoleWindowTest, FilePromptResolvesNamesInTheFolderAndAsksAgainForMissingOnes) {
  std::ofstream(folder / "1211080000.wav") << "x";
  CConsoleWindow window(Streams(true), -1);
  Type("nothing-here.wav\n1211080000\n");
  const auto chosen =
      window.ChooseFileToOpen({"wav", "*.wav", "Wave files (*.wav)", "*.wav", folder.string()});
  ASSERT_TRUE(chosen.has_value());
  EXPECT_EQ(fs::path(*chosen), folder / "1211080000.wav");
  EXPECT_NE(Screen().find("File not found."), std::string::npos);
}

TEST_F(ConsoleWindowTest, EditPromptStartsFromTheShownTextAndEndedInputCancels) {
  CConsoleWindow window(Streams(true), -1);
  std::string text = "2030-01-01 08:00:00";
  // Backspace twice and type new seconds.
  Type(std::string("\x7f\x7f") + "30\n");
  ASSERT_TRUE(window.EditText("Begin time", &text));
  EXPECT_EQ(text, "2030-01-01 08:00:30");
  EndInput();
  EXPECT_FALSE(window.EditText("Begin time", &text));
}

TEST(ConsolePanelTest, ReadoutsSpellTheirDigitImages) {
  CConsolePanel panel;
  const int digits[] = {2, 0, 3, 0, 0, 1, 3, 1, 0, 8, 4, 5, 5, 9};
  for (int i = 0; i < 14; ++i) {
    const int bitmap = digits[i] == 0 ? kBmpDigit0 : kBmpDigit0 + 2 + digits[i];
    panel.images[kCtlNowFirst + i] = bitmap;
  }
  EXPECT_EQ(ReadoutText(panel, kCtlNowFirst), "2030-01-31 08:45:59");

  // The second read-out in a duration form: blank year digits, hundreds of
  // days in the second separator.
  for (int id : {kCtlYear1000, kCtlYear100, kCtlYear10, kCtlYear1, kCtlSeparator1, kCtlMonth10,
                 kCtlMonth1}) {
    panel.images[id] = kBmpBlankDigit;
  }
  panel.images[kCtlSeparator2] = kBmpDigit0 + 3;
  panel.images[kCtlMode] = kBmpModeDuration;
  EXPECT_EQ(ReadoutText(panel, kCtlYear1000).substr(0, 10), "       100");
  EXPECT_EQ(ModeLabel(panel), "Duration");
}

TEST(ConsolePanelTest, KeyLegendFitsTheTerminal) {
  CConsolePanel panel;
  for (int width : {40, 80, 132}) {
    for (const std::string& line : RenderPanel(panel, width)) {
      if (line.find("arm") != std::string::npos || line.find("exit") != std::string::npos) {
        EXPECT_LE(static_cast<int>(line.size()), width) << line;
      }
    }
  }
}

}  // namespace
}  // namespace harkdeck
