#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "tests/e2e/child_process.h"
#include "tests/e2e/pulse_server.h"
#include "tests/support/program_run.h"
#include "tests/support/recording_on_disk.h"

namespace harkdeck::test {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kHeardBlock = 2205;

void Sleep(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

struct CBlockCounts {
  std::size_t loud = 0;
  std::size_t quiet = 0;
  std::size_t longestQuietRun = 0;
};

CBlockCounts CountBlocks(const CRecordingOnDisk& recording) {
  CBlockCounts counts;
  std::size_t run = 0;
  for (std::size_t b = 0; b < recording.Blocks(); ++b) {
    const double rms = recording.BlockRms(b);
    if (rms > 2) ++counts.loud;
    if (rms <= 1) {
      ++counts.quiet;
      counts.longestQuietRun = std::max(counts.longestQuietRun, ++run);
    } else {
      run = 0;
    }
  }
  return counts;
}

// The real program on a real sound server: speech with pauses is played into
// the null sink while the program, run from a script with no terminal,
// records the sink's monitor.
class ConsoleOnPulseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CPulseServer::Installed()) GTEST_SKIP() << "pulseaudio, pactl or pacat is not installed";
    for (const char* program : {"espeak-ng", "sox", "paplay", "parecord"}) {
      if (!ProgramOnPath(program)) GTEST_SKIP() << program << " is not installed";
    }
    ASSERT_TRUE(m_server.Start()) << "the private sound server did not start";
    ASSERT_TRUE(m_server.KeepAwake());
    home = m_server.Folder() / "home";
    fs::create_directories(home / ".config/Ollirum/Harkdeck");
    const fs::path speech = m_server.Folder() / "speech.wav";
    ASSERT_EQ(RunProgram({"espeak-ng", "-w", speech.string(),
                          "Unit four, respond to the north gate. Copy that, on my way."}),
              0);
    // Each phrase followed by two seconds of silence, four times over.
    talk = m_server.Folder() / "talk.wav";
    ASSERT_EQ(RunProgram({"sox", speech.string(), talk.string(), "pad", "0", "2", "repeat", "3"}),
              0);
  }

  void WriteSettings(int slider) {
    std::ofstream(home / ".config/Ollirum/Harkdeck/1.5.conf")
        << "[HKEY_CURRENT_USER\\SOFTWARE\\Ollirum\\Harkdeck\\1.5]\nsoundcard=-1\nlevelslider="
        << slider << "\n";
  }

  // Records from two to `endIn` seconds from now while the talk plays, then
  // ends the program with SIGTERM; gives the recording and its begin time.
  CRecordingOnDisk RecordTalk(bool vox, int endIn, double signalAfter, std::time_t* begin) {
    const std::time_t now = std::time(nullptr);
    *begin = now + 2;
    const fs::path script = home / (vox ? "vox.txt" : "plain.txt");
    std::ofstream(script) << "begin: " << UtcScriptTime(now + 2)
                          << "\nend: " << UtcScriptTime(now + endIn) << "\n"
                          << (vox ? "voxon:\n" : "voxoff:\n") << "arm:\n";
    CProgramRun run(home, {"--console", "/script", script.string()}, {{"TZ", "UTC"}});
    CChildProcess player;
    Sleep(2.5);
    EXPECT_TRUE(player.Start({"paplay", "--device=testsink", talk.string()}));
    Sleep(signalAfter - 2.5);
    run.Signal(SIGTERM);
    EXPECT_EQ(run.WaitForExit(10), 0) << run.Errors();
    const auto waves = WaveFilesIn(home / "Documents/Harkdeck");
    EXPECT_FALSE(waves.empty());
    if (waves.empty()) return {};
    waveFile = waves.back();
    CRecordingOnDisk recording = ReadRecording(waveFile);
    fs::rename(waveFile, m_server.Folder() / waveFile.filename());
    fs::rename(fs::path(waveFile).replace_extension(".tim"),
               m_server.Folder() / fs::path(waveFile.filename()).replace_extension(".tim"));
    waveFile = m_server.Folder() / waveFile.filename();
    return recording;
  }

  CPulseServer m_server;
  fs::path home;
  fs::path talk;
  fs::path waveFile;
};

TEST_F(ConsoleOnPulseTest, RecordsSpeechWholeWithVoxOffAndWithoutPausesWithVoxOn) {
  WriteSettings(100);  // Vox level at the bottom: any sound opens the gate
  std::time_t begin = 0;
  const CRecordingOnDisk plain = RecordTalk(false, 10, 11.5, &begin);
  ExpectFinalAndConsistent(plain);
  ASSERT_FALSE(plain.times.empty());
  EXPECT_GE(plain.times.front(), begin);
  EXPECT_LE(plain.times.back(), begin + 9);
  // From the first tick past the begin time to the first past the end time.
  EXPECT_NEAR(static_cast<double>(plain.Blocks()), 40.0, 8.0);
  const CBlockCounts plainCounts = CountBlocks(plain);
  EXPECT_GE(plainCounts.loud, 10u) << "the speech is in the recording";
  EXPECT_GE(plainCounts.longestQuietRun, 8u) << "with Vox off the pauses are kept";

  const CRecordingOnDisk gated = RecordTalk(true, 10, 11.5, &begin);
  ExpectFinalAndConsistent(gated);
  const CBlockCounts gatedCounts = CountBlocks(gated);
  EXPECT_GE(gatedCounts.loud, 10u);
  // Only the four blocks of the hang (and one at the edge of a phrase) are
  // kept of each pause.
  EXPECT_LE(gatedCounts.longestQuietRun, 5u);
  EXPECT_LT(gated.Blocks(), plain.Blocks());
  ASSERT_FALSE(gated.times.empty());
  EXPECT_GT(gated.times.back() - gated.times.front(), static_cast<Time64>(gated.Blocks() / 5))
      << "the pauses left gaps in the times";
}

TEST_F(ConsoleOnPulseTest, PlaysARecordingBackIntoTheSink) {
  WriteSettings(50);
  std::time_t begin = 0;
  const CRecordingOnDisk recording = RecordTalk(false, 8, 9.5, &begin);
  ExpectFinalAndConsistent(recording);

  const fs::path heard = m_server.Folder() / "heard.wav";
  CChildProcess listener;
  ASSERT_TRUE(
      listener.Start({"parecord", "--device=testsink.monitor", "--format=u8", "--rate=11025",
                      "--channels=1", "--file-format=wav", heard.string()}));
  CProgramRun run(home, {"--console"}, {{"TZ", "UTC"}}, CProgramRun::CTerminal::kPseudo);
  ASSERT_TRUE(run.WaitForScreen("State idle", 10)) << run.Screen();
  run.Type("p");
  ASSERT_TRUE(run.WaitForScreen("File name", 10)) << run.Screen();
  run.Type(waveFile.string() + "\n");
  EXPECT_TRUE(run.WaitForScreen("State playing", 10)) << run.Screen();
  const double seconds = static_cast<double>(recording.Blocks()) / 5;
  Sleep(seconds + 1.5);
  run.Type("q");
  EXPECT_EQ(run.WaitForExit(10), 0) << run.Errors();
  listener.Stop();

  std::ifstream in(heard, std::ios::binary);
  const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                        std::istreambuf_iterator<char>()};
  double loudest = 0;
  for (std::size_t at = 44; at + kHeardBlock <= bytes.size(); at += kHeardBlock) {
    double sum = 0;
    for (std::size_t i = at; i < at + kHeardBlock; ++i)
      sum += (bytes[i] - 128.0) * (bytes[i] - 128.0);
    loudest = std::max(loudest, std::sqrt(sum / kHeardBlock));
  }
  EXPECT_GT(loudest, 2.0) << "the played recording was heard on the sink's monitor";
}

TEST_F(ConsoleOnPulseTest, TerminationSignalDuringARecordingLeavesFinalFiles) {
  WriteSettings(50);
  std::time_t begin = 0;
  const CRecordingOnDisk recording = RecordTalk(false, 120, 6.0, &begin);
  ExpectFinalAndConsistent(recording);
  EXPECT_GE(recording.Blocks(), 10u);
}

}  // namespace
}  // namespace harkdeck::test
