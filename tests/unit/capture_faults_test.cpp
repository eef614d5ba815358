#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "files/byte_file.h"
#include "files/wave_header.h"
#include "panel/panel_ids.h"
#include "platform/sim/sim_sound_devices.h"
#include "recording/block_ring.h"
#include "tests/unit/capture_fixture.h"

namespace harkdeck::test {
namespace {

class CaptureFaultsTest : public CCaptureFixture {
 protected:
  std::vector<std::string> BoxTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : window.boxes) texts.push_back(box.text);
    return texts;
  }

  // After a start that failed: idle, nothing held, both files closed.
  void ExpectNothingHeld() {
    EXPECT_EQ(dlg->m_recording, 0);
    EXPECT_EQ(dlg->m_armed, 0);
    EXPECT_EQ(sound.openStreams, 0);
    EXPECT_FALSE(g_waveIn);
    EXPECT_FALSE(g_inHeaders[0]);
    EXPECT_TRUE(g_blockBuffers[0].empty());
    EXPECT_FALSE(dlg->m_waveFile.IsOpen());
    EXPECT_FALSE(dlg->m_timeFile.IsOpen());
  }

  // A recording ended before its time: the header is final for what was
  // written, and the time file holds one record per block.
  void ExpectFinishedWith(std::uint32_t blocks) {
    EXPECT_EQ(dlg->m_recording, 0);
    EXPECT_EQ(sound.openStreams, 0);
    EXPECT_FALSE(dlg->m_waveFile.IsOpen());
    EXPECT_EQ(window.title, "Harkdeck - recording ended");
    const auto wave = ReadBytes(WavePath());
    ASSERT_EQ(wave.size(), kHeaderBytes + blocks * kBlockBytes);
    EXPECT_EQ(U32At(wave, 4), blocks * kBlockBytes + 38);
    EXPECT_EQ(U32At(wave, 42), blocks * kBlockBytes);
    EXPECT_EQ(TimeRecords().size(), blocks);
  }
};

TEST_F(CaptureFaultsTest, WaveErrorMessages) {
  struct CCase {
    MmResult code;
    const char* text;
  };
  const CCase cases[] = {
      {2, "On opening the wave device..The sound device does not exist"},
      {4, "On opening the wave device..Another program is using the sound device"},
      {5, "On opening the wave device..The specified wave handle is invalid"},
      {6, "On opening the wave device..No sound driver is present"},
      {7, "On opening the wave device..Unable to allocate or lock memory"},
      {32, "On opening the wave device..Your sound card does not support the audio format"},
      {34, "On opening the wave device..The buffer has not been prepared"},
      {1, "On opening the wave device.."},
      {33, "On opening the wave device.."},
  };
  for (const auto& c : cases) {
    window.boxes.clear();
    dlg->ReportWaveError("On opening the wave device..", c.code);
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, c.text) << "code " << c.code;
    EXPECT_EQ(window.boxes[0].kind, CBoxKind::kOk);
  }
}

TEST_F(CaptureFaultsTest, DeviceThatWillNotOpenLeavesTheProvisionalFiles) {
  sound.Fail(CSimOperation::kOpenInput, kWaveBadFormat);
  StartRecordingNow();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"On opening the wave device..Your sound card "
                                                 "does not support the audio format"});
  ExpectNothingHeld();
  const auto wave = ReadBytes(WavePath());
  ASSERT_EQ(wave.size(), 46u);
  EXPECT_EQ(U32At(wave, 42), 55125u);
  EXPECT_TRUE(ReadBytes(TimePath()).empty());
}

// Whatever the device answers at opening, the recorder ends up idle, says why,
// leaves a wave file the player accepts, and records once the device is back.
TEST_F(CaptureFaultsTest, EveryOpeningFailureLeavesAnIdleRecorderAndAPlayableFile) {
  struct CCase {
    MmResult code;
    const char* said;
  };
  const CCase cases[] = {
      {kMmError, ""},
      {kMmBadDeviceId, "The sound device does not exist"},
      {kMmAllocated, "Another program is using the sound device"},
      {kMmInvalidHandle, "The specified wave handle is invalid"},
      {kMmNoDriver, "No sound driver is present"},
      {kMmNoMemory, "Unable to allocate or lock memory"},
      {kWaveBadFormat, "Your sound card does not support the audio format"},
      {kWaveStillPlaying, ""},
      {kWaveUnprepared, "The buffer has not been prepared"},
      {99, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    window.boxes.clear();
    sound.Fail(CSimOperation::kOpenInput, c.code);
    StartRecordingNow();
    EXPECT_EQ(BoxTexts(),
              std::vector<std::string>{std::string("On opening the wave device..") + c.said});
    ExpectNothingHeld();
    EXPECT_EQ(dlg->m_playing, 0);
    EXPECT_EQ(window.Image(kCtlRec), kBmpRec) << "the panel shows no recording";
    CByteFile wave;
    ASSERT_TRUE(wave.Open(WavePath(), CByteFile::CMode::kRead));
    EXPECT_TRUE(CheckWaveHeader(wave));
    EXPECT_EQ(wave.Length(), kHeaderBytes);
    EXPECT_TRUE(TimeRecords().empty());
  }
  sound.ClearFailures();
  StartRecordingNow();
  DeliverAndTick({10}, kT + 2);
  EXPECT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(BlockValues(), std::vector<std::uint8_t>{10});
}

TEST_F(CaptureFaultsTest, EveryFailingBufferCallIsReportedAndNothingStarts) {
  sound.Fail(CSimOperation::kPrepare, kMmNoMemory);
  StartRecordingNow();
  std::vector<std::string> expected;
  for (int i = 0; i < 4; ++i) {
    expected.push_back("On preparing buffer ..Unable to allocate or lock memory");
    expected.push_back("On adding buffer ..The buffer has not been prepared");
  }
  EXPECT_EQ(BoxTexts(), expected);
  ExpectNothingHeld();
}

TEST_F(CaptureFaultsTest, AnyUnqueuedSlotStopsTheStart) {
  // Slot 0 would never come back, and the ring waits for it before the rest.
  sound.FailOnce(CSimOperation::kQueue, kMmInvalidHandle);
  StartRecordingNow();
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"On adding buffer ..The specified wave handle is invalid"});
  ExpectNothingHeld();
}

TEST_F(CaptureFaultsTest, DeviceThatWillNotStartIsReleased) {
  sound.Fail(CSimOperation::kStart, kMmNoDriver);
  StartRecordingNow();
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"On starting recording..No sound driver is present"});
  ExpectNothingHeld();
  // The device is free for the next try.
  sound.ClearFailures();
  StartRecordingNow();
  EXPECT_EQ(dlg->m_recording, 1);
}

TEST_F(CaptureFaultsTest, FilesThatCannotBeCreatedFailSilently) {
  std::filesystem::remove_all(RecordFolder());
  StartRecordingNow();
  EXPECT_TRUE(window.boxes.empty());
  ExpectNothingHeld();

  std::filesystem::create_directories(TimePath());  // a folder where the time file goes
  StartRecordingNow();
  EXPECT_TRUE(window.boxes.empty());
  ExpectNothingHeld();
  EXPECT_EQ(std::filesystem::file_size(WavePath()), 0u);
}

// Writes past this many bytes fail as on a full disk.
class CFileSizeLimit {
 public:
  explicit CFileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &m_saved);
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~CFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
  }
  CFileSizeLimit(const CFileSizeLimit&) = delete;
  CFileSizeLimit& operator=(const CFileSizeLimit&) = delete;

 private:
  rlimit m_saved{};
  void (*m_savedHandler)(int) = nullptr;
};

TEST_F(CaptureFaultsTest, FullDiskEndsTheRecordingWithWholeBlocksOnly) {
  StartRecordingNow();
  {
    // Room for two blocks and part of a third.
    const CFileSizeLimit limit(kHeaderBytes + 2 * kBlockBytes + 1000);
    DeliverAndTick({10, 20, 30, 40}, kT + 2);
  }
  ExpectFinishedWith(2);
  EXPECT_EQ(BlockValues(), (std::vector<std::uint8_t>{10, 20}));
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Recording ended: writing to " + WavePath() +
                                                 " failed (File too large)"});
  EXPECT_EQ(window.boxes[0].kind, CBoxKind::kError);
  EXPECT_EQ(window.Image(kCtlRec), kBmpRec);
}

TEST_F(CaptureFaultsTest, FullDiskAtTheHeaderStopsTheStart) {
  const CFileSizeLimit limit(20);
  StartRecordingNow();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Recording not started: writing to " + WavePath() +
                                                 " failed (File too large)"});
  ExpectNothingHeld();
}

TEST_F(CaptureFaultsTest, FailedTimeRecordTakesItsBlockBackOut) {
  StartRecordingNow();
  DeliverAndTick({10}, kT + 2);
  // The time file turns unwritable under the recording.
  ASSERT_TRUE(dlg->m_timeFile.Open(TimePath(), CByteFile::CMode::kRead));
  DeliverAndTick({20}, kT + 3);
  ExpectFinishedWith(1);
  EXPECT_EQ(BlockValues(), (std::vector<std::uint8_t>{10}));
  ASSERT_EQ(window.boxes.size(), 1u);
  EXPECT_EQ(window.boxes[0].text.rfind("Recording ended: writing to " + TimePath() + " failed", 0),
            0u)
      << window.boxes[0].text;
}

TEST_F(CaptureFaultsTest, RecordingEndsBeforeTheSizeFieldsOverflow) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  struct CCase {
    std::int32_t writtenBefore;
    bool fits;
  };
  for (const auto& c : {CCase{kMax - kBlockBytes, true}, CCase{kMax - kBlockBytes + 1, false}}) {
    window.boxes.clear();
    StartRecordingNow();
    dlg->m_bytesWritten = c.writtenBefore;
    DeliverAndTick({10}, kT + 2);
    EXPECT_EQ(dlg->m_recording, c.fits ? 1 : 0) << c.writtenBefore;
    if (c.fits) {
      EXPECT_EQ(dlg->m_bytesWritten, kMax);
      EXPECT_TRUE(window.boxes.empty());
      dlg->StopRecording();
    } else {
      EXPECT_EQ(BoxTexts(), std::vector<std::string>{"Recording ended: the wave file has reached "
                                                     "the largest size it can hold"});
      EXPECT_TRUE(TimeRecords().empty());
    }
    const auto wave = ReadBytes(WavePath());
    const auto audio = static_cast<std::uint32_t>(dlg->m_bytesWritten);
    EXPECT_EQ(U32At(wave, 42), audio);
    EXPECT_EQ(U32At(wave, 4), audio + 38);
  }
}

TEST_F(CaptureFaultsTest, DeviceThatStopsDeliveringEndsTheRecording) {
  StartRecordingNow();
  DeliverAndTick({10, 20}, kT + 2);
  sound.delivering = false;
  // About five seconds of ticks pass before the device counts as gone.
  for (int tick = 1; tick < 27; ++tick) DeliverAndTick({30}, kT + 2 + tick / 5);
  ASSERT_EQ(dlg->m_recording, 1);
  EXPECT_TRUE(window.boxes.empty());
  DeliverAndTick({30}, kT + 8);
  ExpectFinishedWith(2);
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"Recording ended: the sound device stopped delivering sound"});
}

TEST_F(CaptureFaultsTest, OneBlockNowAndThenKeepsAStutteringDeviceRecording) {
  StartRecordingNow();
  for (int round = 0; round < 3; ++round) {
    for (int tick = 0; tick < 26; ++tick) TickAt(kT + 2 + round * 6 + tick / 5);
    DeliverAndTick({10}, kT + 2 + round * 6 + 5);
  }
  EXPECT_EQ(dlg->m_recording, 1);
  EXPECT_EQ(BlockValues().size(), 3u);
}

TEST_F(CaptureFaultsTest, BufferThatCannotBeQueuedAgainEndsTheRecording) {
  StartRecordingNow();
  DeliverAndTick({10}, kT + 2);
  sound.Fail(CSimOperation::kQueue, kMmInvalidHandle);
  DeliverAndTick({20, 30}, kT + 3);
  ExpectFinishedWith(2);
  EXPECT_EQ(BoxTexts(),
            std::vector<std::string>{"On adding buffer ..The specified wave handle is invalid"});
}

}  // namespace
}  // namespace harkdeck::test
