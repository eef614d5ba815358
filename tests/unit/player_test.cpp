#include <algorithm>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "panel/panel_ids.h"
#include "recording/block_ring.h"
#include "tests/unit/playback_fixture.h"

namespace harkdeck::test {
namespace {

class PlayerTest : public CPlaybackFixture {};

// Which blocks the card was given to play, by their sample value.
std::vector<int> PlayedBlocks(const std::vector<std::uint8_t>& played) {
  std::vector<int> blocks;
  for (std::size_t at = 0; at + kBlockBytes <= played.size(); at += kBlockBytes) {
    blocks.push_back(played[at] - 1);
  }
  return blocks;
}

TEST_F(PlayerTest, PlayingPrimesFourBlocksAndShowsTheFile) {
  const std::string path = Record("0703140509", 10, CountingTimes(10));
  Play(path);

  ASSERT_EQ(dlg->m_playing, 1);
  EXPECT_EQ(dlg->m_displayMode, 4);
  EXPECT_EQ(window.title, "Harkdeck - playback " + path);
  ASSERT_EQ(window.fileRequests.size(), 1u);
  const CFileDialogRequest& request = window.fileRequests[0];
  EXPECT_EQ(request.defaultExtension, "wav");
  EXPECT_EQ(request.fileName, "*.wav");
  EXPECT_EQ(request.filterName, "Wave files (*.wav)");
  EXPECT_EQ(request.filterPattern, "*.wav");
  EXPECT_EQ(request.initialFolder, dlg->m_recordFolder);
  EXPECT_EQ(sound.QueuedOutput(), 4);
  EXPECT_EQ(sound.lastOutputDevice, -1);
  EXPECT_EQ(dlg->m_recordedTime, kT + 3) << "the record of the fourth queued block";
  EXPECT_EQ(WaveBlockPosition(), 4);
  EXPECT_EQ(TimeRecordPosition(), 4);
  EXPECT_EQ(window.Image(kCtlBack), kBmpBack);
  EXPECT_EQ(window.Image(kCtlForward), kBmpForward);
  EXPECT_TRUE(window.dialogs.empty());
}

struct CEndCase {
  const char* name;
  int blocks;
  int extraBytes;
  int lastBlockRead;
};

void PrintTo(const CEndCase& c, std::ostream* out) { *out << c.name; }

class PlayerEndTest : public PlayerTest, public ::testing::WithParamInterface<CEndCase> {};

// The refill needs more than one block left: with exactly one block left the
// tick stops, so the last whole block is never read.
TEST_P(PlayerEndTest, StopsWhenOneBlockOrLessIsLeft) {
  const CEndCase& c = GetParam();
  WriteWave(Path("end.wav"), BlockAudio(c.blocks, c.extraBytes));
  WriteTimes(Path("end.tim"), CountingTimes(c.blocks), 8);
  Play(Path("end.wav"));

  int ticks = 0;
  while (dlg->m_playing == 1 && ticks < 100) {
    PlayOneBlock();
    ++ticks;
  }
  ASSERT_EQ(dlg->m_playing, 0);
  EXPECT_EQ(dlg->m_recordedTime, kT + c.lastBlockRead);
  EXPECT_EQ(ticks, c.lastBlockRead - 2) << "each tick refilled one block until the last";
  EXPECT_EQ(PlayedBlocks(sound.played).back(), c.lastBlockRead - 3)
      << "the blocks still queued are cut off";
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_EQ(window.title, "Harkdeck - playback ended");
  EXPECT_EQ(dlg->m_displayMode, 0);
  EXPECT_EQ(window.Image(kCtlPlay), kBmpPlay);
  EXPECT_EQ(window.Image(kCtlBack), kBmpArrowBlank);
  EXPECT_EQ(window.Image(kCtlForward), kBmpArrowBlank);
  EXPECT_TRUE(g_blockBuffers[0].empty());
  EXPECT_TRUE(IsReleased(Path("end.wav")));
  EXPECT_TRUE(IsReleased(Path("end.tim")));
}

INSTANTIATE_TEST_SUITE_P(Lengths, PlayerEndTest,
                         ::testing::Values(CEndCase{"SevenBlocks", 7, 0, 5},
                                           CEndCase{"SevenBlocksAndAByte", 7, 1, 6},
                                           CEndCase{"FiveBlocks", 5, 0, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerTest, SeveralFinishedSlotsAreRefilledInRingOrderInOneTick) {
  Play(Record("ring", 20, CountingTimes(20)));
  sound.CompleteOutput(3);
  Tick();

  EXPECT_EQ(g_ringIndex, 3);
  EXPECT_EQ(dlg->m_recordedTime, kT + 6) << "one record per refilled block";
  EXPECT_EQ(TimeRecordPosition(), 7);
  EXPECT_EQ(sound.QueuedOutput(), 4);

  sound.CompleteOutput(6);
  Tick();
  EXPECT_EQ(g_ringIndex, 3) << "the slot refilled last is still queued";
  EXPECT_EQ(dlg->m_recordedTime, kT + 10);
  sound.CompleteOutput(4);
  EXPECT_EQ(PlayedBlocks(sound.played), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST_F(PlayerTest, ProvisionalSizesPlayToThePhysicalEnd) {
  // A recording that never ended: its header still says 25 blocks.
  std::vector<std::uint8_t> bytes = WaveHeader(55125);
  const std::vector<std::uint8_t> audio = BlockAudio(40);
  bytes.insert(bytes.end(), audio.begin(), audio.end());
  WriteBytes(Path("crash.wav"), bytes);
  WriteTimes(Path("crash.tim"), CountingTimes(40), 8);
  Play(Path("crash.wav"));

  while (dlg->m_playing == 1) PlayOneBlock();
  EXPECT_EQ(dlg->m_recordedTime, kT + 38);
  EXPECT_EQ(PlayedBlocks(sound.played).back(), 35);
}

TEST_F(PlayerTest, FourByteTimeFileGivesWidenedTimes) {
  // Pre-1970 stamps stay negative when widened.
  std::vector<Time64> times;
  for (int k = 0; k < 12; ++k) times.push_back(k < 5 ? -100 + k : 1'600'000'000 + k);
  WriteWave(Path("old.wav"), BlockAudio(12));
  WriteTimes(Path("old.tim"), times, 4);
  Play(Path("old.wav"));

  ASSERT_EQ(dlg->m_playing, 1);
  EXPECT_EQ(dlg->m_shortTimes, 1);
  EXPECT_EQ(dlg->m_timeRecordSize, 4);
  EXPECT_EQ(dlg->m_recordedTime, -97);
  PlayOneBlock();
  EXPECT_EQ(dlg->m_recordedTime, -96);
  PlayOneBlock();
  EXPECT_EQ(dlg->m_recordedTime, 1'600'000'005);
}

TEST_F(PlayerTest, RecordingShorterThanTheRingPlaysWhatItHasThenSilence) {
  WriteWave(Path("short.wav"), BlockAudio(1, 1000));
  WriteTimes(Path("short.tim"), CountingTimes(2), 8);
  Play(Path("short.wav"));
  ASSERT_EQ(dlg->m_playing, 1);

  sound.CompleteOutput(4);
  ASSERT_EQ(sound.played.size(), 4u * kBlockBytes);
  const auto audioEnd = sound.played.begin() + kBlockBytes + 1000;
  EXPECT_TRUE(std::all_of(sound.played.begin(), sound.played.begin() + kBlockBytes,
                          [](std::uint8_t v) { return v == BlockValue(0); }));
  EXPECT_TRUE(std::all_of(sound.played.begin() + kBlockBytes, audioEnd,
                          [](std::uint8_t v) { return v == BlockValue(1); }));
  EXPECT_TRUE(std::all_of(audioEnd, sound.played.end(), [](std::uint8_t v) { return v == 128; }));
  Tick();
  EXPECT_EQ(dlg->m_playing, 0);
}

struct CHintCase {
  const char* name;
  std::uint32_t formatLength;
  bool withTimeFile;
  std::vector<int> dialogs;
  bool plays;
};

void PrintTo(const CHintCase& c, std::ostream* out) { *out << c.name; }

class PlayerHintTest : public PlayerTest, public ::testing::WithParamInterface<CHintCase> {};

TEST_P(PlayerHintTest, HintsComeInOrderAndForeignFilesAreRefused) {
  const CHintCase& c = GetParam();
  WriteWave(Path("0101000000.wav"), BlockAudio(10), c.formatLength);
  if (c.withTimeFile) WriteTimes(Path("0101000000.tim"), CountingTimes(10), 8);
  clock.Set(kT + 77);
  Play(Path("0101000000.wav"));

  EXPECT_EQ(window.dialogs, c.dialogs);
  EXPECT_EQ(dlg->m_playing, c.plays ? 1 : 0);
  EXPECT_EQ(window.title, "Harkdeck - playback " + Path("0101000000.wav"));
  if (!c.withTimeFile) {
    EXPECT_EQ(dlg->m_recordedTime, kT + 77) << "the clock when play began";
  }
  if (!c.plays) {
    EXPECT_EQ(window.Image(kCtlPlay), kBmpPlay);
    EXPECT_EQ(sound.openStreams, 0);
    EXPECT_TRUE(IsReleased(Path("0101000000.wav")));
    if (c.withTimeFile) {
      EXPECT_TRUE(IsReleased(Path("0101000000.tim")));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlayerHintTest,
    ::testing::Values(CHintCase{"ForeignWithoutTimes", 16, false, {177, 176}, false},
                      CHintCase{"ForeignWithTimes", 16, true, {176}, false},
                      CHintCase{"OwnWithoutTimes", 18, false, {177}, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerTest, WithoutTimeFileTheRecordedTimeStaysPut) {
  WriteWave(Path("bare.wav"), BlockAudio(10));
  Play(Path("bare.wav"));
  ASSERT_EQ(dlg->m_playing, 1);
  clock.Set(kT + 30);
  PlayOneBlock();
  PlayOneBlock();
  EXPECT_EQ(dlg->m_recordedTime, kT);
  EXPECT_EQ(WaveBlockPosition(), 6);
}

TEST_F(PlayerTest, CancelledFileDialogChangesNothing) {
  window.title = "before";
  dlg->OnPlay();
  EXPECT_EQ(window.fileRequests.size(), 1u);
  EXPECT_EQ(dlg->m_playing, 0);
  EXPECT_EQ(window.title, "before");
  EXPECT_FALSE(dlg->m_waveFile.IsOpen());
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(PlayerTest, UnopenableWaveFileIsReported) {
  const std::string path = Record("held", 10, CountingTimes(10));
  CByteFile holder;
  ASSERT_TRUE(holder.Open(path, CByteFile::CMode::kRead));
  Play(path);

  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].text, "Unable to open the wave file for playback");
  EXPECT_EQ(dlg->m_playing, 0);
  EXPECT_TRUE(IsReleased(Path("held.tim")));
}

TEST_F(PlayerTest, FailedOutputOpenReleasesFilesAndBuffers) {
  const std::string path = Record("busy", 10, CountingTimes(10));
  sound.Fail(CSimOperation::kOpenOutput, kMmAllocated);
  Play(path);

  EXPECT_EQ(dlg->m_playing, 0);
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_TRUE(g_blockBuffers[0].empty());
  EXPECT_TRUE(IsReleased(path));
  EXPECT_TRUE(IsReleased(Path("busy.tim")));

  sound.ClearFailures();
  Play(path);
  EXPECT_EQ(dlg->m_playing, 1) << "a later attempt starts cleanly";
}

TEST_F(PlayerTest, FailedPrimingStillPlays) {
  const std::string path = Record("prime", 10, CountingTimes(10));
  sound.Fail(CSimOperation::kQueue, kMmNoMemory);
  Play(path);
  EXPECT_EQ(dlg->m_playing, 1);
  EXPECT_EQ(dlg->m_recordedTime, kT + 3);
}

// Ticks go on while the file dialog is open; a script may arm the recorder.
TEST_F(PlayerTest, RecorderArmedWhileChoosingAFileDoesNotPlay) {
  const std::string path = Record("armed", 10, CountingTimes(10));
  window.onModal = [this] { dlg->m_armed = 1; };
  Play(path);

  EXPECT_EQ(dlg->m_playing, 0);
  EXPECT_EQ(dlg->m_armed, 1);
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_FALSE(dlg->m_waveFile.IsOpen());
  EXPECT_TRUE(IsReleased(path));
}

// A recording that starts while the no-time hint is open owns m_waveFile; the
// player must leave it alone.
TEST_F(PlayerTest, RecordingStartedDuringTheHintKeepsItsFiles) {
  WriteWave(Path("hint.wav"), BlockAudio(10));
  const std::string recordingPath = Path("new.wav");
  int modals = 0;
  window.onModal = [&] {
    if (++modals != 2) return;
    dlg->m_recording = 1;
    ASSERT_TRUE(dlg->m_waveFile.Open(recordingPath, CByteFile::CMode::kCreateWrite));
  };
  Play(Path("hint.wav"));

  EXPECT_EQ(window.dialogs, std::vector<int>{177});
  EXPECT_EQ(dlg->m_playing, 0);
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_TRUE(dlg->m_waveFile.IsOpen());
  EXPECT_FALSE(IsReleased(recordingPath));
  EXPECT_TRUE(IsReleased(Path("hint.wav")));
}

TEST_F(PlayerTest, StopWhileIdleOnlySetsTheTitle) {
  dlg->StopPlayback();
  EXPECT_EQ(window.title, "Harkdeck - playback ended");
  EXPECT_EQ(window.Image(kCtlPlay), 0);
}

TEST_F(PlayerTest, StopCutsOffQueuedBlocksAndReleasesEverything) {
  const std::string path = Record("stop", 10, CountingTimes(10));
  Play(path);
  sound.CompleteOutput(1);
  dlg->OnStop();

  EXPECT_EQ(dlg->m_playing, 0);
  EXPECT_EQ(window.Text(kCtlStatus), "Playback stopped");
  EXPECT_EQ(PlayedBlocks(sound.played), std::vector<int>{0});
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_TRUE(g_outHeaders[0] == nullptr);
  EXPECT_TRUE(IsReleased(path));
  EXPECT_TRUE(IsReleased(Path("stop.tim")));
}

}  // namespace
}  // namespace harkdeck::test
