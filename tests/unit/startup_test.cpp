#include <fstream>

#include "app/command_line.h"
#include "app/record_folder.h"
#include "panel/panel_ids.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kT = 1'700'000'000;

class StartupTest : public CRecorderFixture {};

TEST_F(StartupTest, DefaultsAfterStartUp) {
  clock.Set(kT);
  window.slider = 37;
  auto& d = Start();
  EXPECT_EQ(d.m_beginTime, kT);
  EXPECT_EQ(d.m_endTime, kT);
  EXPECT_EQ(d.m_statusTime, kT);
  EXPECT_EQ(d.m_skipSeconds, 4);
  EXPECT_EQ(d.m_soundCard, -1);
  EXPECT_EQ(d.m_timeRecordSize, 8);
  EXPECT_EQ(d.m_waveName, "*.wav");
  EXPECT_EQ(d.m_armed + d.m_recording + d.m_playing + d.m_displayMode + d.m_voxOn + d.m_voxHang +
                d.m_scriptActive + d.m_shortTimes,
            0);
  EXPECT_EQ(window.timerId, 2);
  EXPECT_EQ(window.timerPeriodMs, 190);
  EXPECT_EQ(window.slider, 37);
  EXPECT_EQ(d.m_recordFolder, RecordFolder());
  EXPECT_TRUE(std::filesystem::is_directory(RecordFolder()));
}

TEST_F(StartupTest, FirstStartCreatesTheKeyAndReadsNothing) {
  settings.values = {{"soundcard", 3}, {"levelslider", 80}};
  window.slider = 50;
  auto& d = Start();
  EXPECT_TRUE(settings.exists);
  EXPECT_EQ(d.m_soundCard, -1);
  EXPECT_EQ(window.slider, 50);
}

TEST_F(StartupTest, SecondStartRestoresWhatExitSaved) {
  Start();
  dlg->m_soundCard = 2;
  window.slider = 71;
  dlg->OnExit();
  EXPECT_EQ(window.endResult, CDialogResult::kOk);
  window.slider = 50;
  auto& d = Start();
  EXPECT_EQ(d.m_soundCard, 2);
  EXPECT_EQ(window.slider, 71);
}

TEST_F(StartupTest, CancelPathsSaveNothing) {
  Start();
  window.slider = 12;
  dlg->OnCancel();
  dlg->OnOK();
  EXPECT_TRUE(settings.values.empty());
}

TEST_F(StartupTest, OutOfRangeValuesLeaveTheDefaults) {
  settings.exists = true;
  settings.values = {{"soundcard", -7}, {"levelslider", 101}};
  window.slider = 50;
  auto& d = Start();
  EXPECT_EQ(d.m_soundCard, -1);
  EXPECT_EQ(window.slider, 50);
}

TEST_F(StartupTest, UnopenableKeyKeepsDefaultsAndExitSavesNothing) {
  settings.failOpen = true;
  Start();
  dlg->OnExit();
  EXPECT_TRUE(settings.values.empty());
  EXPECT_EQ(window.endResult, CDialogResult::kOk);
}

TEST_F(StartupTest, HelpOpensTheUserGuideAndAboutShowsItsBox) {
  Start();
  dlg->OnCommand(kCtlHelp);
  EXPECT_EQ(shell.opened, std::vector<std::string>{"help.html"});
  dlg->OnSysCommand(kAboutCommand | 0x3);
  dlg->OnSysCommand(0xF060);
  EXPECT_EQ(window.dialogs, std::vector<int>{100});
}

struct CCommandLineCase {
  const char* commandLine;
  std::optional<std::string> name;
};

class CommandLineTest : public ::testing::TestWithParam<CCommandLineCase> {};

TEST_P(CommandLineTest, ScriptName) {
  EXPECT_EQ(ScriptNameFromCommandLine(GetParam().commandLine), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CommandLineTest,
    ::testing::Values(CCommandLineCase{"", std::nullopt},
                      CCommandLineCase{"/x a.txt", std::nullopt},
                      CCommandLineCase{"/SCRIPT a.txt", std::nullopt},
                      CCommandLineCase{"/script \"/srv/night run.txt\"", "/srv/night run.txt"},
                      CCommandLineCase{"/scriptnight.txt", "ight.txt"},
                      CCommandLineCase{"/script a.txt /x", "a.txt /x"},
                      CCommandLineCase{"/script", ""}, CCommandLineCase{"/script ", ""},
                      CCommandLineCase{"-v /script b.txt ", "b.txt "}));

TEST(RecordFolderTest, LevelsAreExaminedShortestFirst) {
  EXPECT_EQ(RecordFolderFor("/home/user1"), "/home/user1/Documents/Harkdeck/");
  EXPECT_EQ(RecordFolderFor("/"), "/Documents/Harkdeck/");
  EXPECT_EQ(FolderLevels("/home/user1/Documents/Harkdeck/"),
            (std::vector<std::string>{"/home", "/home/user1", "/home/user1/Documents",
                                      "/home/user1/Documents/Harkdeck"}));
  EXPECT_EQ(RecordFolderFor(""), "/Documents/Harkdeck/");
}

TEST_F(StartupTest, FolderLevelsThatAreFilesAreLeftAlone) {
  std::ofstream(home / "Documents") << "not a folder";
  Start();
  EXPECT_TRUE(std::filesystem::is_regular_file(home / "Documents"));
  EXPECT_EQ(dlg->m_recordFolder, RecordFolder());
}

}  // namespace
}  // namespace harkdeck::test
