#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "recording/wave_format.h"
#include "tests/support/pcm_wave.h"
#include "tests/support/program_run.h"
#include "tests/support/recording_on_disk.h"

namespace harkdeck::test {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr std::size_t kHeaderBytes = 46;
// A minute of input, far more than any run records.
constexpr std::size_t kInputBytes = 60 * 11025;
// Programs running side by side in one round; each is killed at its own moment.
constexpr int kRunsPerRound = 4;
// Kill moments after the wave file appears: from before its header is
// written to several blocks into the audio, so they fall on every phase of
// the 0.2 s block and the 190 ms tick.
constexpr double kLatestKill = 1.6;

// Audio already in the recorder's own format, so the card passes it through
// unchanged and a recording must be an exact prefix of it. Noise, so a block
// lost, doubled or swapped shows.
std::vector<std::uint8_t> WriteInput(const fs::path& path) {
  std::vector<std::uint8_t> samples(kInputBytes);
  std::minstd_rand noise(7);
  for (auto& sample : samples) sample = static_cast<std::uint8_t>(noise() >> 8);
  WritePcmWave(path, samples, 11025, 8);
  return samples;
}

// harkdeck-tool's exit status and what it printed.
int RunTool(const std::vector<std::string>& arguments, std::string* output) {
  std::string command = "'" HARKDECK_TOOL_BINARY "'";
  for (const std::string& argument : arguments) command += " '" + argument + "'";
  command += " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return -1;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) *output += buffer;
  const int status = pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsPrefixOf(const std::vector<std::uint8_t>& part, const std::vector<std::uint8_t>& whole) {
  return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

// One program recording from a scripted arming until a signal ends it.
struct CRun {
  fs::path home;
  std::unique_ptr<CProgramRun> program;
  std::time_t launched = 0;
  double killAfter = 0;
  Clock::time_point waveSeen{};
  bool signalled = false;
  std::time_t signalledAt = 0;

  fs::path Folder() const { return home / "Documents/Harkdeck"; }
};

class CrashConsistencyTest : public ::testing::Test {
 protected:
  CrashConsistencyTest() : random(std::random_device{}()) {
    base = fs::temp_directory_path() /
           ("harkdeck-crash-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(base);
    fs::create_directories(base);
    input = WriteInput(base / "input.wav");
  }
  ~CrashConsistencyTest() override { fs::remove_all(base); }

  // Starts kRunsPerRound programs, each arming a ten-minute recording at once,
  // and sends each the signal at its own random moment after its wave file
  // appears.
  std::vector<CRun> Round(int round, int signal) {
    std::vector<CRun> runs(kRunsPerRound);
    std::uniform_real_distribution<double> moment(0.0, kLatestKill);
    for (int i = 0; i < kRunsPerRound; ++i) {
      CRun& run = runs[static_cast<std::size_t>(i)];
      run.home = base / ("round" + std::to_string(round) + "-" + std::to_string(i));
      fs::create_directories(run.home / ".config/Ollirum/Harkdeck");
      std::ofstream(run.home / ".config/Ollirum/Harkdeck/1.5.conf")
          << "[HKEY_CURRENT_USER\\SOFTWARE\\Ollirum\\Harkdeck\\1.5]\nsoundcard=-1\n";
      run.launched = std::time(nullptr);
      std::ofstream(run.home / "record.txt")
          << "end: " << UtcScriptTime(run.launched + 600) << "\nvoxoff:\narm:\n";
      run.killAfter = moment(random);
      run.program = std::make_unique<CProgramRun>(
          run.home,
          std::vector<std::string>{"--console", "--input-wav", (base / "input.wav").string(),
                                   "/script", (run.home / "record.txt").string()},
          std::map<std::string, std::string>{{"TZ", "UTC"}});
    }
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    for (;;) {
      bool allSignalled = true;
      for (CRun& run : runs) {
        if (run.signalled) continue;
        allSignalled = false;
        const auto now = Clock::now();
        if (run.waveSeen == Clock::time_point{} && !WaveFilesIn(run.Folder()).empty()) {
          run.waveSeen = now;
        }
        if (run.waveSeen != Clock::time_point{} &&
            now - run.waveSeen >= std::chrono::duration<double>(run.killAfter)) {
          run.program->Signal(signal);
          run.signalled = true;
          run.signalledAt = std::time(nullptr);
        }
      }
      if (allSignalled) break;
      if (Clock::now() > deadline) {
        ADD_FAILURE() << "a recording never started";
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return runs;
  }

  static std::string Describe(const CRun& run) {
    return run.home.filename().string() + " signalled " + std::to_string(run.killAfter) +
           " s after its wave file appeared; " + run.program->Errors();
  }

  fs::path base;
  std::vector<std::uint8_t> input;
  std::mt19937 random;
};

TEST_F(CrashConsistencyTest, KilledRecordingKeepsWholeDatedBlocksAndRepairsToAFinalHeader) {
  int kills = 0;
  int beforeHeader = 0;
  int blockWithoutRecord = 0;
  int partialBlock = 0;
  std::size_t blocksKept = 0;
  for (int round = 0; round < 6; ++round) {
    for (CRun& run : Round(round, SIGKILL)) {
      SCOPED_TRACE(Describe(run));
      ASSERT_EQ(run.program->WaitForExit(10), 128 + SIGKILL);
      ++kills;
      const auto waves = WaveFilesIn(run.Folder());
      ASSERT_EQ(waves.size(), 1u);
      const fs::path wave = waves.front();
      const CRecordingOnDisk killed = ReadRecording(wave);

      // Between creating the wave file and writing its header there is
      // nothing to keep: an empty wave file, and a time file empty or absent.
      if (killed.waveLength == 0) {
        EXPECT_TRUE(killed.times.empty());
        ++beforeHeader;
        continue;
      }
      EXPECT_TRUE(killed.headerPasses) << "the player would refuse it";
      EXPECT_TRUE(IsPrefixOf(killed.audio, input)) << "a block lost, doubled or out of order";
      const std::size_t whole = killed.Blocks();
      const bool partial = killed.audio.size() % kBlockBytes != 0;
      // A block goes to disk before its time record, so a kill between the
      // two leaves one block undated; a kill inside the block's own write may
      // leave part of it, with no record.
      EXPECT_LE(killed.times.size(), whole) << "a time record without its block";
      EXPECT_LE(whole + (partial ? 1 : 0), killed.times.size() + 1);
      blockWithoutRecord += whole > killed.times.size() ? 1 : 0;
      partialBlock += partial ? 1 : 0;
      blocksKept += whole;
      EXPECT_TRUE(std::is_sorted(killed.times.begin(), killed.times.end()));
      if (!killed.times.empty()) {
        EXPECT_GE(killed.times.front(), run.launched);
        EXPECT_LE(killed.times.back(), run.signalledAt + 1);
      }

      std::string said;
      EXPECT_EQ(RunTool({"repair", wave.string()}, &said), 0) << said;
      const CRecordingOnDisk repaired = ReadRecording(wave);
      EXPECT_TRUE(repaired.headerPasses);
      EXPECT_EQ(repaired.dataSize, whole * kBlockBytes) << said;
      EXPECT_EQ(repaired.riffSize, whole * kBlockBytes + 38);
      EXPECT_EQ(repaired.waveLength, kHeaderBytes + whole * kBlockBytes);
      EXPECT_TRUE(IsPrefixOf(repaired.audio, killed.audio));
      EXPECT_EQ(repaired.times, killed.times);
    }
  }
  std::printf(
      "%d kills, %zu blocks kept: %d before the header, %d with a block not yet dated, %d inside "
      "a block\n",
      kills, blocksKept, beforeHeader, blockWithoutRecord, partialBlock);
}

TEST_F(CrashConsistencyTest, TerminatedRecordingIsAlwaysFinal) {
  int terminations = 0;
  for (int round = 0; round < 2; ++round) {
    for (CRun& run : Round(round, SIGTERM)) {
      SCOPED_TRACE(Describe(run));
      ASSERT_EQ(run.program->WaitForExit(10), 0);
      ++terminations;
      const auto waves = WaveFilesIn(run.Folder());
      ASSERT_EQ(waves.size(), 1u);
      const CRecordingOnDisk recording = ReadRecording(waves.front());
      ExpectFinalAndConsistent(recording);
      EXPECT_TRUE(IsPrefixOf(recording.audio, input));
    }
  }
  std::printf("%d terminations\n", terminations);
}

}  // namespace
}  // namespace harkdeck::test
