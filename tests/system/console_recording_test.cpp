#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/pcm_wave.h"
#include "tests/support/program_run.h"
#include "tests/support/recording_on_disk.h"

namespace harkdeck::test {
namespace {

namespace fs = std::filesystem;

constexpr int kToneRate = 22050;

// Bursts of tone (1 s) with pauses (2 s) between them, as a scanner gives
// transmissions with quiet between, in 16-bit PCM at a rate not the
// recorder's own, so the file is converted on the way in.
void WriteBursts(const fs::path& path, int bursts) {
  std::vector<std::int16_t> samples;
  for (int b = 0; b < bursts; ++b) {
    for (int i = 0; i < kToneRate; ++i) {
      samples.push_back(
          static_cast<std::int16_t>(8000 * std::sin(2 * M_PI * 800.0 * i / kToneRate)));
    }
    samples.insert(samples.end(), 2 * kToneRate, 0);
  }
  std::vector<std::uint8_t> bytes;
  for (const std::int16_t sample : samples) {
    bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
    bytes.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
  }
  WritePcmWave(path, bytes, kToneRate, 16);
}

class ConsoleRecordingTest : public ::testing::Test {
 protected:
  ConsoleRecordingTest() {
    home = fs::temp_directory_path() /
           ("harkdeck-system-" + std::to_string(getpid()) + "-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(home);
    fs::create_directories(home / ".config/Ollirum/Harkdeck");
    // Vox level 50: blocks louder than an rms of about 10 open the gate.
    std::ofstream(home / ".config/Ollirum/Harkdeck/1.5.conf")
        << "[HKEY_CURRENT_USER\\SOFTWARE\\Ollirum\\Harkdeck\\1.5]\nsoundcard=-1\nlevelslider=50\n";
    WriteBursts(home / "bursts.wav", 6);
  }
  ~ConsoleRecordingTest() override { fs::remove_all(home); }

  // A script that records from `startIn` to `endIn` seconds from now.
  fs::path WriteScript(bool vox, int startIn, int endIn) {
    const std::time_t now = std::time(nullptr);
    const fs::path path = home / "record.txt";
    std::ofstream(path) << "; one recording\n"
                        << "begin: " << UtcScriptTime(now + startIn) << "\n"
                        << "end: " << UtcScriptTime(now + endIn) << "\n"
                        << (vox ? "voxon:\n" : "voxoff:\n") << "arm:\n";
    return path;
  }

  std::unique_ptr<CProgramRun> Start(const fs::path& script) {
    return std::make_unique<CProgramRun>(
        home,
        std::vector<std::string>{"--console", "--input-wav", (home / "bursts.wav").string(),
                                 "/script", script.string()},
        std::map<std::string, std::string>{{"TZ", "UTC"}});
  }

  static void Sleep(double seconds) {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }

  CRecordingOnDisk TheRecording() {
    const auto waves = WaveFilesIn(home / "Documents/Harkdeck");
    EXPECT_EQ(waves.size(), 1u);
    if (waves.empty()) return {};
    return ReadRecording(waves.front());
  }

  fs::path home;
};

TEST_F(ConsoleRecordingTest, ScriptedRecordingWithVoxOffKeepsTheWholeSpan) {
  const std::time_t begin = std::time(nullptr) + 2;
  auto run = Start(WriteScript(false, 2, 8));
  Sleep(9.5);
  run->Signal(SIGTERM);
  ASSERT_EQ(run->WaitForExit(10), 0) << run->Errors();

  const CRecordingOnDisk recording = TheRecording();
  ExpectFinalAndConsistent(recording);
  ASSERT_FALSE(recording.times.empty());
  // Starts at the first tick past the begin time and ends at the first past
  // the end time: about six seconds, five blocks a second.
  EXPECT_GE(recording.times.front(), begin);
  EXPECT_LE(recording.times.back(), begin + 8);
  EXPECT_NEAR(static_cast<double>(recording.Blocks()), 30.0, 6.0);
  std::size_t quiet = 0;
  for (std::size_t b = 0; b < recording.Blocks(); ++b) quiet += recording.BlockRms(b) < 1 ? 1 : 0;
  EXPECT_GT(quiet, 10u) << "the pauses are kept";
}

TEST_F(ConsoleRecordingTest, ScriptedRecordingWithVoxOnLeavesThePausesOut) {
  auto run = Start(WriteScript(true, 2, 10));
  Sleep(11.5);
  run->Signal(SIGTERM);
  ASSERT_EQ(run->WaitForExit(10), 0) << run->Errors();

  const CRecordingOnDisk recording = TheRecording();
  ExpectFinalAndConsistent(recording);
  std::size_t loud = 0;
  std::size_t quietRun = 0;
  std::size_t longestQuietRun = 0;
  for (std::size_t b = 0; b < recording.Blocks(); ++b) {
    if (recording.BlockRms(b) > 15) {
      ++loud;
      quietRun = 0;
    } else {
      longestQuietRun = std::max(longestQuietRun, ++quietRun);
    }
  }
  // Two or three bursts of five loud blocks in eight seconds; each pause
  // keeps only the four blocks of the hang (one more where a block holds the
  // end of a burst).
  EXPECT_GE(loud, 8u);
  EXPECT_LE(longestQuietRun, 5u);
  EXPECT_LT(recording.Blocks(), 30u);
  EXPECT_NE(run->Output().find("Recording paused by Vox level"), std::string::npos);
}

TEST_F(ConsoleRecordingTest, TerminationSignalInTheMiddleLeavesFinalFiles) {
  auto run = Start(WriteScript(false, 2, 60));
  Sleep(5.5);
  run->Signal(SIGTERM);
  ASSERT_EQ(run->WaitForExit(10), 0) << run->Errors();

  const CRecordingOnDisk recording = TheRecording();
  ExpectFinalAndConsistent(recording);
  EXPECT_GE(recording.Blocks(), 5u);
}

}  // namespace
}  // namespace harkdeck::test
