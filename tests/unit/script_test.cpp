#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "control/datetime_text.h"
#include "panel/panel_ids.h"
#include "script/line_reader.h"
#include "tests/fakes/recorder_fixture.h"
#include "tests/unit/time_zone.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kHour = 3600;
constexpr Time64 kDay = 86400;
constexpr Time64 kJan1 = 1'893'456'000;  // 2030-01-01 00:00:00 UTC
constexpr const char* kArmedStatus =
    "Recording armed.  Recording will start after specified countdown.";

class ScriptTest : public CRecorderFixture {
 protected:
  std::string WriteScript(const std::string& bytes, const std::string& name = "script.txt") {
    const auto path = (home / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
  }

  // Starts the recorder with the script named on its command line.
  void StartAt(Time64 now, const std::string& script) {
    // The last recorder still holds its script without sharing.
    dlg.reset();
    clock.Set(now);
    m_scriptPath = WriteScript(script);
    Start("/script " + m_scriptPath);
  }

  // One tick a second, up to and including the tick that reads `until`.
  // While recording, the card delivers its five blocks a second; the ring
  // holds four, so that second is ticked twice.
  void TickUntil(Time64 until) {
    while (clock.Now() < until) {
      clock.Advance(1);
      if (dlg->m_recording == 1) {
        sound.CompleteInput(3);
        Tick();
        sound.CompleteInput(2);
      }
      Tick();
    }
  }

  // The time records of a recording, one per block kept.
  std::vector<Time64> TimeRecords(const std::string& name) const {
    EXPECT_TRUE(std::filesystem::exists(RecordFolder() + name + ".wav")) << name;
    std::ifstream file(RecordFolder() + name + ".tim", std::ios::binary);
    std::vector<Time64> records;
    unsigned char bytes[8];
    while (file.read(reinterpret_cast<char*>(bytes), sizeof bytes)) {
      std::uint64_t value = 0;
      for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
      records.push_back(static_cast<Time64>(value));
    }
    return records;
  }

  bool ScriptFileIsFree() const {
    CLineReader other;
    return other.Open(m_scriptPath);
  }

  std::string m_scriptPath;
};

TEST_F(ScriptTest, FiveLineScriptArmsForThatHourAndEndsQuietly) {
  StartAt(kJan1 - kHour,
          ";a comment\n\nbegin: 2030-01-01 08:00:00\nend: 2030-01-01 09:00:00\narm:\n");
  ASSERT_EQ(dlg->m_scriptActive, 1);
  EXPECT_EQ(window.Image(kCtlScript), kBmpScriptLit);
  for (int line = 1; line <= 4; ++line) {
    Tick();
    EXPECT_EQ(dlg->m_armed, 0) << "line " << line;
  }
  Tick();
  EXPECT_EQ(dlg->m_armed, 1);
  EXPECT_EQ(dlg->m_beginTime, kJan1 + 8 * kHour);
  EXPECT_EQ(dlg->m_endTime, kJan1 + 9 * kHour);
  EXPECT_EQ(dlg->m_statusText, kArmedStatus);

  TickUntil(kJan1 + 8 * kHour);
  EXPECT_EQ(dlg->m_scriptActive, 1) << "waits while armed";
  TickUntil(kJan1 + 9 * kHour);
  EXPECT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(dlg->m_scriptActive, 1) << "waits while recording";
  TickUntil(kJan1 + 9 * kHour + 1);
  EXPECT_EQ(dlg->m_recording, 0);
  EXPECT_EQ(dlg->m_scriptActive, 0) << "the tick that ends the recording reads on";
  const auto records = TimeRecords("0101080000");
  ASSERT_GT(records.size(), 3599u * 5);
  EXPECT_LE(records.front(), kJan1 + 8 * kHour + 2);
  EXPECT_EQ(records.back(), kJan1 + 9 * kHour + 1);
  EXPECT_TRUE(ScriptFileIsFree());
  EXPECT_EQ(window.Image(kCtlScript), kBmpScript);
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_TRUE(window.dialogs.empty());
}

TEST_F(ScriptTest, TimeOfDayResolvesAgainstTheClockOfItsLine) {
  struct CCase {
    const char* line;
    Time64 now;
    Time64 begin;
    Time64 end;
  };
  const Time64 now7 = kJan1 + 7 * kHour;
  const Time64 at8 = kJan1 + 8 * kHour;
  const std::vector<CCase> cases{
      {"begin: 08:00:00\n", now7, at8, now7},
      {"begin: 08:00:00\n", kJan1 + 9 * kHour, at8 + kDay, kJan1 + 9 * kHour},
      {"begin: 08:00:00\n", at8, at8, at8},
      {"begin:8:0:0\n", now7, at8, now7},
      {"begin: 2030-01-01 8:0:0 and a note\n", now7, at8, now7},
      {"end: 08:00:00\n", kJan1 + 9 * kHour, kJan1 + 9 * kHour, at8 + kDay},
      {"end: 2030-01-02 08:00:00\n", now7, now7, at8 + kDay},
  };
  // The end is raised to a later begin only by the next tick's upkeep.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    StartAt(c.now, c.line);
    Tick();
    EXPECT_EQ(dlg->m_beginTime, c.begin);
    EXPECT_EQ(dlg->m_endTime, c.end);
    EXPECT_TRUE(window.boxes.empty());
    EXPECT_EQ(dlg->m_scriptActive, 1);
  }
}

TEST_F(ScriptTest, DailyScriptStartedMidRecordingCyclesThenArmsEveryDay) {
  const Time64 day0 = 1'907'280'000;  // 2030-06-10 00:00:00 UTC
  const Time64 at1800 = 18 * kHour;
  const Time64 at1830 = at1800 + 30 * 60;
  StartAt(day0 + at1800 + 600, "begin: 18:00:00\nend: 18:30:00\narm:\nrewind:\n");

  struct CArming {
    Time64 at;
    Time64 begin;
    Time64 end;
  };
  std::vector<CArming> armings;
  std::int32_t wasArmed = 0;
  while (clock.Now() < day0 + 2 * kDay + at1830 + 600) {
    TickUntil(clock.Now() + 1);
    if (dlg->m_armed == 1 && wasArmed == 0) {
      armings.push_back({clock.Now(), dlg->m_beginTime, dlg->m_endTime});
    }
    wasArmed = dlg->m_armed;
  }

  ASSERT_EQ(armings.size(), 3u);
  for (std::size_t i = 0; i < armings.size(); ++i) {
    SCOPED_TRACE(i);
    const Time64 day = day0 + static_cast<Time64>(i) * kDay;
    EXPECT_GT(armings[i].at, day + at1830) << "arms only once 18:30 has passed";
    EXPECT_LT(armings[i].at, day + at1830 + 5);
    EXPECT_EQ(armings[i].begin, day + kDay + at1800);
    EXPECT_EQ(armings[i].end, day + kDay + at1830);
  }
  // Each day's recording runs from the first tick past 18:00 to the first
  // tick past 18:30.
  for (const auto& [name, day] :
       {std::pair{"0611180000", day0 + kDay}, std::pair{"0612180000", day0 + 2 * kDay}}) {
    SCOPED_TRACE(name);
    const auto records = TimeRecords(name);
    ASSERT_GT(records.size(), 1799u * 5);
    EXPECT_LE(records.front(), day + at1800 + 2);
    EXPECT_EQ(records.back(), day + at1830 + 1);
  }
  EXPECT_FALSE(std::filesystem::exists(RecordFolder() + "0610180000.wav"));
  EXPECT_EQ(dlg->m_scriptActive, 1);
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_TRUE(window.dialogs.empty()) << "arm: declines silently while cycling";
}

TEST_F(ScriptTest, LinesThatAreNotCommandsEndTheScriptBeforeTheBox) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {" begin: 08:00:00\n", " begin: 08:00:00\n"},
      {"BEGIN: 08:00:00\n", "BEGIN: 08:00:00\n"},
      {"begin: 2024-05-01\n", "begin: 2024-05-01\n"},
      {"begin: 2030-01-01 08:00\n", "begin: 2030-01-01 08:00\n"},
      {"begin:\n", "begin:\n"},
      {"end: soon\n", "end: soon\n"},
      {"ab\n", "ab\n"},
      {"ab\r\n", "ab\n"},
      {"arm\n", "arm\n"},
      {"record: 08:00:00\n", "record: 08:00:00\n"},
      {"\xEF\xBB\xBF"
       "begin: 08:00:00\n",
       "\xEF\xBB\xBF"
       "begin: 08:00:00\n"},
  };
  for (const auto& [line, shown] : cases) {
    SCOPED_TRACE(line);
    StartAt(kJan1, line + "voxon:\n");
    window.boxes.clear();
    bool closedFirst = false;
    window.onModal = [&] {
      closedFirst = dlg->m_scriptActive == 0 && ScriptFileIsFree();
      Tick();
    };
    Tick();
    window.onModal = nullptr;
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, shown + " is not a good command");
    EXPECT_EQ(window.boxes[0].kind, CBoxKind::kOk);
    EXPECT_TRUE(closedFirst);
    Tick();
    EXPECT_EQ(dlg->m_voxOn, 0) << "nothing after the bad line is read";
    EXPECT_EQ(window.Image(kCtlScript), kBmpScript);
  }
}

TEST_F(ScriptTest, ShortLinesCommentsAndTrailingWordsAreHandled) {
  StartAt(kJan1, "x\n\n;begin: nonsense\n\r\nvoxon: and other words\nvoxoff: too\n");
  for (int line = 1; line <= 4; ++line) Tick();
  EXPECT_EQ(dlg->m_voxOn, 0);
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 0);
  EXPECT_EQ(dlg->m_scriptActive, 1);
  Tick();
  EXPECT_EQ(dlg->m_scriptActive, 0);
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(ScriptTest, NulByteEndsTheLine) {
  StartAt(kJan1, std::string("x\0 is not read\nvoxon:\0x\n", 24));
  Tick();
  EXPECT_TRUE(window.boxes.empty()) << "a line of one character";
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
  EXPECT_TRUE(window.boxes.empty());
}

// Reading a process's memory at address 0 fails on every read: a file that
// opens and then cannot be read.
TEST_F(ScriptTest, ReadFailureIsReportedAndTheScriptStaysActive) {
  clock.Set(kJan1);
  Start("/script /proc/self/mem");
  if (dlg->m_scriptActive != 1) GTEST_SKIP() << "no process memory file to read";
  Tick();
  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].kind, CBoxKind::kError);
  EXPECT_EQ(dlg->m_scriptActive, 1);
  Tick();
  EXPECT_EQ(window.boxes.size(), 2u);
}

TEST_F(ScriptTest, OutOfRangeNumbersAreReportedAndTheScriptGoesOn) {
  for (const char* line : {"begin: 25:00:00\n", "end: 2030-13-01 00:00:00\n",
                           "begin: 1969-12-31 23:59:59\n", "end: 12:60:00\n"}) {
    SCOPED_TRACE(line);
    StartAt(kJan1 + kHour, std::string(line) + "voxon:\n");
    window.boxes.clear();
    // The timer keeps firing while the box is open; no line may run inside it.
    window.onModal = [this] { TickAt(clock.Now() + 1); };
    Tick();
    window.onModal = nullptr;
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].kind, CBoxKind::kError);
    EXPECT_FALSE(window.boxes[0].text.empty());
    EXPECT_EQ(dlg->m_beginTime, kJan1 + kHour);
    EXPECT_EQ(dlg->m_endTime, kJan1 + kHour);
    EXPECT_EQ(dlg->m_voxOn, 0);
    EXPECT_EQ(dlg->m_scriptActive, 1);
    Tick();
    EXPECT_EQ(dlg->m_voxOn, 1);
    EXPECT_EQ(window.boxes.size(), 1u);
  }
}

TEST_F(ScriptTest, LongLineIsReadAsTwoPieces) {
  StartAt(kJan1, "voxon:" + std::string(294, 'x') + "\n");
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
  EXPECT_TRUE(window.boxes.empty());
  Tick();
  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].text, std::string(46, 'x') + "\n is not a good command");
}

TEST_F(ScriptTest, LastLineWithoutLineFeedRunsAndTheEndComesAtTheNextTick) {
  StartAt(kJan1, "voxon:");
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
  EXPECT_EQ(dlg->m_scriptActive, 1);
  Tick();
  EXPECT_EQ(dlg->m_scriptActive, 0);
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(ScriptTest, RewindStartsOverFromTheFirstLine) {
  StartAt(kJan1, "voxon:\nvoxoff:\nrewind:\n");
  std::vector<std::int32_t> vox;
  for (int tick = 0; tick < 7; ++tick) {
    Tick();
    vox.push_back(dlg->m_voxOn);
  }
  EXPECT_EQ(vox, (std::vector<std::int32_t>{1, 0, 0, 1, 0, 0, 1}));
}

TEST_F(ScriptTest, OnlyRewindRunsUntilTheScriptKeyStopsIt) {
  StartAt(kJan1, "rewind:\n");
  TickUntil(kJan1 + 100);
  EXPECT_EQ(dlg->m_scriptActive, 1);
  EXPECT_FALSE(ScriptFileIsFree()) << "held without sharing while it runs";
  dlg->OnCommand(kCtlScript);
  EXPECT_EQ(dlg->m_scriptActive, 0);
  EXPECT_TRUE(window.fileRequests.empty()) << "stopping asks nothing";
  EXPECT_TRUE(ScriptFileIsFree());
  EXPECT_TRUE(window.boxes.empty());
  Tick();
  EXPECT_EQ(window.Image(kCtlScript), kBmpScript);
}

TEST_F(ScriptTest, ScriptKeyOpensTheChosenFile) {
  clock.Set(kJan1);
  Start();
  const auto path = WriteScript("voxon:\n", "chosen.txt");
  window.fileAnswers = {std::nullopt, (home / "missing.txt").string(), path};

  dlg->OnCommand(kCtlScript);
  ASSERT_EQ(window.fileRequests.size(), 1u);
  const CFileDialogRequest& request = window.fileRequests[0];
  EXPECT_EQ(request.defaultExtension, "txt");
  EXPECT_EQ(request.fileName, "*.txt");
  EXPECT_EQ(request.filterName, "");
  EXPECT_EQ(request.filterPattern, "");
  EXPECT_EQ(request.initialFolder, "");
  EXPECT_EQ(dlg->m_scriptActive, 0) << "cancelled";

  dlg->OnCommand(kCtlScript);
  EXPECT_EQ(dlg->m_scriptActive, 0) << "a file that does not open";
  EXPECT_TRUE(window.boxes.empty());

  dlg->OnCommand(kCtlScript);
  EXPECT_EQ(dlg->m_scriptActive, 1);
  EXPECT_EQ(window.Image(kCtlScript), kBmpScriptLit);
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
}

TEST_F(ScriptTest, CommandLineScriptThatDoesNotOpenIsNotReported) {
  clock.Set(kJan1);
  Start("/script " + (home / "missing.txt").string());
  EXPECT_EQ(dlg->m_scriptActive, 0);
  Tick();
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(ScriptTest, ArmRaisesAPastBeginAndGivesAnEarlierEndFiveMinutes) {
  StartAt(kJan1, "arm:\n");
  dlg->m_beginTime = kJan1 - 100;
  dlg->m_endTime = kJan1 - 200;
  dlg->RunScript();
  EXPECT_EQ(dlg->m_beginTime, kJan1);
  EXPECT_EQ(dlg->m_endTime, kJan1 + 300);
  EXPECT_EQ(dlg->m_armed, 1);
}

TEST_F(ScriptTest, ArmWithEndEqualToBeginDeclinesSilentlyAndGoesOn) {
  StartAt(kJan1, "arm:\nvoxon:\n");
  Tick();
  EXPECT_EQ(dlg->m_armed, 0);
  EXPECT_EQ(dlg->m_endTime, kJan1) << "an end equal to the begin is not moved";
  EXPECT_TRUE(window.dialogs.empty());
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
}

TEST_F(ScriptTest, ArmWithBeginInThePastArmsForTheCurrentSecond) {
  StartAt(kJan1, "begin: 2029-12-31 00:00:00\nend: 2030-01-01 00:10:00\narm:\n");
  for (int line = 0; line < 3; ++line) Tick();
  ASSERT_EQ(dlg->m_armed, 1);
  EXPECT_EQ(dlg->m_beginTime, kJan1);
  EXPECT_EQ(dlg->m_endTime, kJan1 + 600);
  Tick();
  EXPECT_EQ(dlg->m_armed, 1) << "a begin equal to now has not passed";
  TickAt(kJan1 + 1);
  EXPECT_EQ(dlg->m_armed, 0);
  EXPECT_EQ(dlg->m_displayMode, 3);
}

TEST_F(ScriptTest, ScriptWaitsWhileArmedAndStopLetsItGoOn) {
  StartAt(kJan1, "begin: 2030-01-01 08:00:00\nend: 2030-01-01 09:00:00\narm:\nvoxon:\n");
  for (int line = 0; line < 3; ++line) Tick();
  ASSERT_EQ(dlg->m_armed, 1);
  TickUntil(kJan1 + 60);
  EXPECT_EQ(dlg->m_voxOn, 0);
  dlg->OnCommand(kCtlStop);
  EXPECT_EQ(dlg->m_armed, 0);
  Tick();
  EXPECT_EQ(dlg->m_voxOn, 1);
}

TEST_F(ScriptTest, ScriptKeyLeavesTheArmingItStarted) {
  StartAt(kJan1, "begin: 2030-01-01 08:00:00\nend: 2030-01-01 09:00:00\narm:\n");
  for (int line = 0; line < 3; ++line) Tick();
  dlg->OnCommand(kCtlScript);
  EXPECT_EQ(dlg->m_scriptActive, 0);
  EXPECT_EQ(dlg->m_armed, 1);
  EXPECT_EQ(dlg->m_beginTime, kJan1 + 8 * kHour);
}

// Tomorrow is the next calendar day at the same wall-clock time, whatever the
// month, the year or a daylight-saving change in between.
TEST_F(ScriptTest, NextDayKeepsTheWallClockTime) {
  const CTimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
  struct CCase {
    int year, month, day;  // read at 09:00 local time on this day
    const char* expected;  // for 08:00:00
  };
  const CCase cases[] = {
      {2030, 3, 30, "2030-03-31 08:00:00"},   // the clocks go forward that night
      {2030, 10, 26, "2030-10-27 08:00:00"},  // and back
      {2030, 1, 31, "2030-02-01 08:00:00"},
      {2030, 12, 31, "2031-01-01 08:00:00"},
  };
  for (const CCase& c : cases) {
    clock.Set(LocalTimeFromFields(c.year, c.month, c.day, 9, 0, 0));
    if (!dlg) Start();
    EXPECT_EQ(FormatDateTime(dlg->NextTimeOfDay(8, 0, 0)), c.expected);
  }
}

}  // namespace
}  // namespace harkdeck::test
