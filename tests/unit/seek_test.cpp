#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "control/datetime_text.h"
#include "panel/panel_ids.h"
#include "tests/unit/playback_fixture.h"

namespace harkdeck::test {
namespace {

constexpr const char* kTargetBox = "The target time is before the current playback time!";

class SeekTest : public CPlaybackFixture {
 protected:
  // 99 blocks: ten seconds from kT, a gap of 90 s, then ten seconds less a
  // block from kT + 100, five records a second as the recorder writes them.
  static std::vector<Time64> GappedTimes() {
    std::vector<Time64> times;
    for (int k = 0; k < 50; ++k) times.push_back(kT + k / 5);
    for (int k = 50; k < 99; ++k) times.push_back(kT + 100 + (k - 50) / 5);
    return times;
  }

  void PlayGapped(int width) {
    Play(Record("gapped", 99, GappedTimes(), width));
    ASSERT_EQ(dlg->m_playing, 1);
    ASSERT_EQ(dlg->m_timeRecordSize, width);
  }

  void Click(int controlId, bool ctrl = false) {
    window.ctrlDown = ctrl;
    dlg->OnCommand(controlId);
  }

  void SeekWith(std::optional<std::string> answer) {
    window.editAnswers.push_back(std::move(answer));
    Click(kCtlForward, true);
  }

  void ExpectStandingAt(std::int64_t block) {
    EXPECT_EQ(TimeRecordPosition(), block);
    EXPECT_EQ(WaveBlockPosition(), block);
    EXPECT_EQ(dlg->m_waveFile.Position(), 46 + block * kBlockBytes);
  }
};

struct CSkipCase {
  const char* name;
  int width;
  int control;
  std::int64_t from;
  std::int64_t to;
};

void PrintTo(const CSkipCase& c, std::ostream* out) { *out << c.name; }

class SkipCaseTest : public SeekTest, public ::testing::WithParamInterface<CSkipCase> {};

// With a 4 s step (20 records) '<' needs more than 20 records before the
// position and '>' more than 40 after it, in 100 records.
TEST_P(SkipCaseTest, SkipMovesBothFilesByTheStepOrNotAtAll) {
  const CSkipCase& c = GetParam();
  Play(Record("skip", 100, CountingTimes(100), c.width));
  ASSERT_EQ(dlg->m_timeRecordSize, c.width);
  StandAt(c.from);
  Click(c.control);

  ExpectStandingAt(c.to);
  EXPECT_EQ(dlg->m_recordedTime, kT + 3) << "the recorded time waits for the next refill";
  PlayOneBlock();
  EXPECT_EQ(dlg->m_recordedTime, kT + c.to);
  EXPECT_TRUE(window.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Steps, SkipCaseTest,
    ::testing::Values(CSkipCase{"BackAt20Stays", 8, kCtlBack, 20, 20},
                      CSkipCase{"BackAt21Moves", 8, kCtlBack, 21, 1},
                      CSkipCase{"ForwardWith40LeftStays", 8, kCtlForward, 60, 60},
                      CSkipCase{"ForwardWith41LeftMoves", 8, kCtlForward, 59, 79},
                      CSkipCase{"ShortBackAt20Stays", 4, kCtlBack, 20, 20},
                      CSkipCase{"ShortBackAt21Moves", 4, kCtlBack, 21, 1},
                      CSkipCase{"ShortForwardWith40LeftStays", 4, kCtlForward, 60, 60},
                      CSkipCase{"ShortForwardWith41LeftMoves", 4, kCtlForward, 59, 79}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SeekTest, SkipStepFollowsTheSetting) {
  Play(Record("step", 100, CountingTimes(100)));
  dlg->m_skipSeconds = 1;
  StandAt(10);
  Click(kCtlBack);
  ExpectStandingAt(5);
  Click(kCtlForward);
  ExpectStandingAt(10);
}

struct CSeekCase {
  const char* name;
  int width;
  const char* target;
  std::int64_t stop;
  Time64 recorded;
};

void PrintTo(const CSeekCase& c, std::ostream* out) { *out << c.name; }

class SeekCaseTest : public SeekTest, public ::testing::WithParamInterface<CSeekCase> {};

// From record 4 the search probes records 9, 14, 19, ... one second apart.
TEST_P(SeekCaseTest, SearchStopsAtTheFirstProbeAtOrAfterTheTarget) {
  const CSeekCase& c = GetParam();
  PlayGapped(c.width);
  SeekWith(c.target);

  EXPECT_TRUE(window.boxes.empty());
  ExpectStandingAt(c.stop);
  EXPECT_EQ(dlg->m_recordedTime, c.recorded);
  PlayOneBlock();
  EXPECT_EQ(dlg->m_recordedTime, c.recorded) << "the refill reads the probed record again";
  EXPECT_EQ(TimeRecordPosition(), c.stop + 1);
  sound.CompleteOutput(4);
  EXPECT_EQ(sound.played[4 * kBlockBytes], BlockValue(static_cast<int>(c.stop)))
      << "the four queued blocks play first, then the new position";
}

INSTANTIATE_TEST_SUITE_P(
    Targets, SeekCaseTest,
    ::testing::Values(
        CSeekCase{"WithinTheFirstStretch", 8, "2023-11-14 22:13:25", 29, kRecordedStart + 5},
        CSeekCase{"InsideTheGap", 8, "2023-11-14 22:14:10", 54, kRecordedStart + 100},
        CSeekCase{"InsideTheGapShortRecords", 4, "2023-11-14 22:14:10", 54, kRecordedStart + 100},
        CSeekCase{"PastTheEndStopsTenRecordsShort", 8, "2023-11-14 22:30:00", 89,
                  kRecordedStart + 107},
        CSeekCase{"PastTheEndShortRecords", 4, "2023-11-14 22:30:00", 89, kRecordedStart + 107}),
    [](const auto& info) { return std::string(info.param.name); });

// Long enough that the search reads the time file in several pieces.
TEST_F(SeekTest, SearchAcrossALongRecordingFindsTheRightRecord) {
  for (const int width : {8, 4}) {
    // The search reads no audio: a sparse wave file of the right length does.
    WriteWave(Path("long.wav"), {});
    std::filesystem::resize_file(Path("long.wav"), 46 + std::uintmax_t{20000} * kBlockBytes);
    WriteTimes(Path("long.tim"), CountingTimes(20000), width);
    Play(Path("long.wav"));
    ASSERT_EQ(dlg->m_timeRecordSize, width);
    SeekWith(FormatDateTime(kT + 17000));
    ExpectStandingAt(17004);
    EXPECT_EQ(dlg->m_recordedTime, kT + 17004);
    SeekWith(FormatDateTime(kT + 30000));
    ExpectStandingAt(19994);
    EXPECT_EQ(dlg->m_recordedTime, kT + 19994);
    dlg->OnStop();
  }
}

TEST_F(SeekTest, TargetBeforeThePlaybackTimeMovesNothing) {
  PlayGapped(8);
  SeekWith("2023-11-14 22:13:19");
  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].text, kTargetBox);
  EXPECT_EQ(dlg->m_seekTarget, kT);
  ExpectStandingAt(4);
}

TEST_F(SeekTest, TargetEqualToThePlaybackTimeMovesNothing) {
  PlayGapped(8);
  SeekWith("2023-11-14 22:13:20");
  EXPECT_EQ(window.editCaptions.back(), "Specify the target date-time");
  EXPECT_EQ(window.editShown.back(), "2023-11-14 22:13:20");
  EXPECT_TRUE(window.boxes.empty());
  ExpectStandingAt(4);
}

TEST_F(SeekTest, CancelledOrUnreadablePromptMovesNothing) {
  PlayGapped(8);
  dlg->m_seekTarget = kT + 100;
  StandAt(4);
  for (const char* answer : {"", "2023-11-14", "22:30:00"}) {
    SeekWith(std::string(answer));
    ExpectStandingAt(4);
  }
  SeekWith(std::nullopt);
  ExpectStandingAt(4);
  EXPECT_EQ(dlg->m_seekTarget, kT + 100);
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SeekTest, OutOfRangeTargetIsReportedAndMovesNothing) {
  PlayGapped(8);
  dlg->m_seekTarget = 7;
  SeekWith("2023-11-14 22:61:00");
  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].kind, CBoxKind::kError);
  EXPECT_EQ(dlg->m_seekTarget, 7);
  ExpectStandingAt(4);
}

TEST_F(SeekTest, EditBarDuringPlaybackStoresTheTargetButMovesNothing) {
  PlayGapped(8);
  window.editAnswers.push_back("2023-11-14 22:14:10");
  Click(kCtlEditBar);
  EXPECT_EQ(dlg->m_seekTarget, kT + 50);
  ExpectStandingAt(4);
}

TEST_F(SeekTest, NothingHappensWhileNotPlaying) {
  Click(kCtlForward, true);
  Click(kCtlForward);
  Click(kCtlBack);
  EXPECT_TRUE(window.editCaptions.empty());
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(SeekTest, WithoutTimeFileSkipsAndSeeksAreRefused) {
  WriteWave(Path("bare.wav"), BlockAudio(100));
  Play(Path("bare.wav"));
  ASSERT_EQ(dlg->m_playing, 1);
  StandAt(50);
  window.editAnswers.push_back("2023-11-14 22:30:00");

  Click(kCtlBack);
  Click(kCtlForward);
  Click(kCtlForward, true);
  EXPECT_EQ(window.boxes.size(), 3u);
  for (const auto& box : window.boxes) EXPECT_EQ(box.kind, CBoxKind::kError);
  EXPECT_TRUE(window.editCaptions.empty()) << "no prompt for a search that cannot run";
  EXPECT_EQ(WaveBlockPosition(), 50);
}

// Ticks go on while the prompt is open: playback may run out and a recording
// take the time file. The search must not move that file.
TEST_F(SeekTest, PlaybackEndedDuringThePromptIsNotSearched) {
  PlayGapped(8);
  window.onModal = [this] {
    dlg->StopPlayback();
    dlg->m_recording = 1;
    ASSERT_TRUE(dlg->m_timeFile.Open(Path("recording.tim"), CByteFile::CMode::kCreateWrite));
    ASSERT_TRUE(dlg->m_timeFile.Write("12345678", 8));
  };
  SeekWith("2023-11-14 22:30:00");
  EXPECT_EQ(dlg->m_seekTarget, kT + 1000);
  EXPECT_EQ(dlg->m_timeFile.Position(), 8);
}

}  // namespace
}  // namespace harkdeck::test
