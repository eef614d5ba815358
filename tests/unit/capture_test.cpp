#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "files/wave_header.h"
#include "panel/panel_ids.h"
#include "recording/block_ring.h"
#include "tests/unit/capture_fixture.h"
#include "tests/unit/temp_folder.h"

namespace harkdeck::test {
namespace {

class CaptureTest : public CCaptureFixture {};

TEST_F(CaptureTest, StartWritesTheProvisionalHeaderAndOpensTheChosenCard) {
  sound.inputs.push_back({"Second input", true});
  dlg->m_soundCard = 1;
  StartRecordingNow();

  ASSERT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(dlg->m_waveName, kWaveName);
  EXPECT_EQ(window.title, "Harkdeck -> " + RecordFolder() + kWaveName);
  EXPECT_EQ(sound.lastInputDevice, 1);
  EXPECT_EQ(sound.lastFormat.samplesPerSec, 11025u);
  EXPECT_EQ(sound.lastFormat.bitsPerSample, 8);
  EXPECT_EQ(sound.QueuedInput(), 4);

  const auto wave = ReadBytes(WavePath());
  ASSERT_EQ(wave.size(), 46u);
  EXPECT_EQ(U32At(wave, 4), 55163u);
  EXPECT_EQ(U32At(wave, 42), 55125u);
  EXPECT_TRUE(ReadBytes(TimePath()).empty());
}

TEST_F(CaptureTest, NameComesFromTheBeginTimeNotFromTheLateTickThatStarts) {
  dlg->m_beginTime = kT;
  dlg->m_endTime = kT + 3600;
  dlg->m_armed = 1;
  TickAt(kT + 7);
  ASSERT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(dlg->m_waveName, kWaveName);
  EXPECT_TRUE(std::filesystem::exists(TimePath()));
}

TEST_F(CaptureTest, BlocksOfOneTickAreWrittenInRingOrderWithThatTicksTime) {
  StartRecordingNow();
  DeliverAndTick({1, 2, 3}, kT + 2);
  EXPECT_EQ(g_ringIndex, 3);
  DeliverAndTick({4, 5, 6}, kT + 3);  // slots 3, 0 and 1: across the wrap
  DeliverAndTick({}, kT + 4);
  DeliverAndTick({7}, kT + 5);

  EXPECT_EQ(BlockValues(), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_EQ(TimeRecords(),
            (std::vector<Time64>{kT + 2, kT + 2, kT + 2, kT + 3, kT + 3, kT + 3, kT + 5}));
  EXPECT_EQ(sound.QueuedInput(), 4) << "every serviced buffer goes back to the card";
  EXPECT_EQ(dlg->m_bytesWritten, 7 * kBlockBytes);
}

TEST_F(CaptureTest, AwaitedSlotNotDoneHoldsBackALaterDoneSlot) {
  StartRecordingNow();
  g_inHeaders[1]->bytesRecorded.store(kBlockBytes);
  g_inHeaders[1]->flags.fetch_or(kHeaderDone);
  TickAt(kT + 2);
  EXPECT_EQ(g_ringIndex, 0);
  EXPECT_EQ(dlg->m_bytesWritten, 0);
  EXPECT_TRUE(TimeRecords().empty());
}

TEST_F(CaptureTest, EndTimePassedFinishesTheFiles) {
  dlg->m_voxOn = 0;
  StartRecordingNow();
  dlg->m_endTime = kT + 3;
  DeliverAndTick({10, 20}, kT + 2);
  DeliverAndTick({30}, kT + 3);
  ASSERT_EQ(dlg->m_recording, 1) << "an end time equal to now has not passed";
  DeliverAndTick({40}, kT + 4);

  EXPECT_EQ(dlg->m_recording, 0);
  EXPECT_EQ(dlg->m_armed, 0);
  EXPECT_EQ(window.title, "Harkdeck - recording ended");
  EXPECT_EQ(window.Image(kCtlRec), kBmpRec);
  EXPECT_EQ(window.meter, 0);
  EXPECT_EQ(sound.openStreams, 0);
  EXPECT_FALSE(g_inHeaders[0]);
  EXPECT_TRUE(g_blockBuffers[0].empty());

  const auto wave = ReadBytes(WavePath());
  ASSERT_EQ(wave.size(), kHeaderBytes + 4 * kBlockBytes) << "no pad byte after an even count";
  EXPECT_EQ(U32At(wave, 4), 4 * kBlockBytes + 38);
  EXPECT_EQ(U32At(wave, 42), 4 * kBlockBytes);
  EXPECT_EQ(TimeRecords(), (std::vector<Time64>{kT + 2, kT + 2, kT + 3, kT + 4}));
  // Both files are closed (opening them without sharing succeeds again), and
  // the player takes the wave file as one of ours.
  CByteFile reopened;
  ASSERT_TRUE(reopened.Open(WavePath(), CByteFile::CMode::kRead));
  EXPECT_TRUE(CheckWaveHeader(reopened));
  EXPECT_TRUE(reopened.Open(TimePath(), CByteFile::CMode::kRead));
}

TEST_F(CaptureTest, BlocksDoneButNotServicedAtStopAreDropped) {
  StartRecordingNow();
  DeliverAndTick({10, 20}, kT + 2);
  blockValues = {30, 40};
  sound.CompleteInput(2);
  dlg->OnDestroy();

  EXPECT_EQ(BlockValues(), (std::vector<std::uint8_t>{10, 20}));
  EXPECT_EQ(TimeRecords().size(), 2u);
  EXPECT_EQ(U32At(ReadBytes(WavePath()), 42), 2 * kBlockBytes);
  EXPECT_EQ(sound.openStreams, 0);
}

TEST_F(CaptureTest, RecordingWithNoBlockLeavesAnEmptyPair) {
  // A late tick: begin and end both passed, so it starts and ends at once.
  dlg->m_beginTime = kT;
  dlg->m_endTime = kT + 1;
  dlg->m_armed = 1;
  TickAt(kT + 5);
  EXPECT_EQ(dlg->m_recording, 0);
  const auto wave = ReadBytes(WavePath());
  ASSERT_EQ(wave.size(), 46u);
  EXPECT_EQ(U32At(wave, 4), 38u);
  EXPECT_EQ(U32At(wave, 42), 0u);
  EXPECT_TRUE(ReadBytes(TimePath()).empty());
}

TEST_F(CaptureTest, FilesOnDiskStayInStepWhileRecording) {
  // What a killed recording leaves behind: one time record per whole block.
  StartRecordingNow();
  for (Time64 now = kT + 2; now < kT + 8; ++now) {
    DeliverAndTick({100, 150, 200}, now);
    const auto waveSize = ReadBytes(WavePath()).size();
    EXPECT_EQ((waveSize - kHeaderBytes) % kBlockBytes, 0u);
    EXPECT_EQ((waveSize - kHeaderBytes) / kBlockBytes, TimeRecords().size());
  }
}

TEST_F(CaptureTest, EmptyCompletedBlockGetsNoTimeRecord) {
  StartRecordingNow();
  DeliverAndTick({10}, kT + 2);
  window.meter = 42;
  // A card that hands a buffer back with nothing in it.
  g_inHeaders[1]->bytesRecorded.store(0);
  g_inHeaders[1]->flags.fetch_or(kHeaderDone);
  TickAt(kT + 3);
  EXPECT_EQ(g_ringIndex, 2);
  EXPECT_EQ(window.meter, 42);
  EXPECT_EQ(BlockValues(), (std::vector<std::uint8_t>{10}));
  EXPECT_EQ(TimeRecords(), (std::vector<Time64>{kT + 2}));
}

// The card's own thread completes blocks while ticks run at their real pace.
TEST(CaptureRealTimeTest, DeviceThreadAndTicksKeepTheFilesInStep) {
  const CTempFolder home;
  CFakeClock clock(kT);
  CFakeWindow window;
  CFakeSettings settings;
  CFakeShell shell;
  CSimSoundDevices sound(CSimSoundDevices::CPacing::kRealTime);
  sound.signal = [](std::uint8_t* block, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) block[i] = i % 2 == 0 ? 100 : 156;
  };
  CHarkdeckDlg dlg(
      CPlatformServices{clock, window, sound, settings, shell, {}, home.Path(""), "help.html"});
  dlg.OnInitDialog();
  dlg.m_beginTime = kT;
  dlg.m_endTime = kT + 2;
  dlg.m_armed = 1;
  // Five ticks to the second on the fake clock: the recording runs from
  // kT + 1 until the tick at kT + 3, about two seconds of real time.
  for (int tick = 0; tick == 0 || dlg.m_recording == 1; ++tick) {
    ASSERT_LT(tick, 20);
    clock.Set(kT + 1 + tick / 5);
    dlg.OnTimer(2);
    std::this_thread::sleep_for(std::chrono::milliseconds(190));
  }

  const std::string wave = home.ReadBytes("Documents/Harkdeck/1114221320.wav");
  const std::string times = home.ReadBytes("Documents/Harkdeck/1114221320.tim");
  ASSERT_GE(wave.size(), 46u);
  const std::size_t blocks = (wave.size() - 46) / kBlockBytes;
  EXPECT_EQ(wave.size(), 46 + blocks * kBlockBytes);
  EXPECT_EQ(times.size(), 8 * blocks);
  EXPECT_GE(blocks, 6u);
  EXPECT_LE(blocks, 11u);
  for (std::size_t i = 46; i < wave.size(); ++i) {
    ASSERT_EQ(static_cast<std::uint8_t>(wave[i]), (i - 46) % kBlockBytes % 2 == 0 ? 100 : 156)
        << "byte " << i;
  }
}

}  // namespace
}  // namespace harkdeck::test
