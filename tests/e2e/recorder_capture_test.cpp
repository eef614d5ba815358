#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "control/harkdeck_dlg.h"
#include "platform/pulse/pulse_sound_devices.h"
#include "tests/e2e/pulse_server.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_window.h"

namespace harkdeck::test {
namespace {

using namespace std::chrono_literals;

// 2023-11-14 22:13:20 UTC: the recording is named 1114221320.
constexpr Time64 kT = 1'700'000'000;

std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes.at(offset)) |
         static_cast<std::uint32_t>(bytes.at(offset + 1)) << 8 |
         static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16 |
         static_cast<std::uint32_t>(bytes.at(offset + 3)) << 24;
}

double Rms(const std::uint8_t* data, std::size_t count) {
  double sum = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double step = static_cast<double>(data[i]) - kSilence;
    sum += step * step;
  }
  return std::sqrt(sum / static_cast<double>(count));
}

// The whole recorder on a private sound server, with ticks at their real pace
// and a fake clock that moves one second every five ticks.
class RecorderCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CPulseServer::Installed()) GTEST_SKIP() << "pulseaudio, pactl or pacat is not installed";
    ASSERT_TRUE(m_server.Start()) << "the private sound server did not start";
    ASSERT_TRUE(m_server.KeepAwake());
    m_dlg = std::make_unique<CHarkdeckDlg>(CPlatformServices{
        m_clock, m_window, m_devices, m_settings, m_shell, {}, Home().string(), "help.html"});
    m_dlg->OnInitDialog();
  }
  void TearDown() override { m_dlg.reset(); }

  std::filesystem::path Home() const { return m_server.Folder() / "home"; }
  std::filesystem::path Recording(const char* extension) const {
    return Home() / "Documents/Harkdeck" / (std::string("1114221320.") + extension);
  }

  void StartRecording() {
    m_dlg->m_beginTime = kT;
    m_dlg->m_endTime = kT + 3600;
    m_dlg->m_armed = 1;
    Tick();
    ASSERT_EQ(m_dlg->m_recording, 1);
  }

  void Tick() {
    m_clock.Set(kT + 1 + m_ticks / 5);
    ++m_ticks;
    m_dlg->OnTimer(2);
  }

  void TickFor(std::chrono::milliseconds length) {
    const auto end = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < end) {
      std::this_thread::sleep_for(190ms);
      Tick();
    }
  }

  // Ends the recording at the next tick and gives the level of each block.
  std::vector<double> StopAndReadBlocks() {
    m_dlg->m_endTime = kT + m_ticks / 5;
    Tick();
    EXPECT_EQ(m_dlg->m_recording, 0);
    return ReadBlocks();
  }

  // Levels of the blocks in the wave file, after checking that its header
  // is final and that the time file has one record per block.
  std::vector<double> ReadBlocks() {
    const auto wave = ReadBytes(Recording("wav"));
    const auto times = ReadBytes(Recording("tim"));
    EXPECT_GE(wave.size(), 46u);
    if (wave.size() < 46) return {};
    const std::size_t audio = wave.size() - 46;
    EXPECT_EQ(audio % kBlockBytes, 0u);
    EXPECT_EQ(U32At(wave, 4), audio + 38);
    EXPECT_EQ(U32At(wave, 42), audio);
    EXPECT_EQ(times.size(), 8 * (audio / kBlockBytes));
    std::vector<double> levels;
    for (std::size_t at = 46; at + kBlockBytes <= wave.size(); at += kBlockBytes) {
      levels.push_back(Rms(wave.data() + at, kBlockBytes));
    }
    return levels;
  }

  bool PlayTone(CChildProcess& player) {
    const auto tone = m_server.Folder() / "tone.wav";
    return RunProgram({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", tone.string(), "synth",
                       "2", "sine", "1000", "vol", "0.5"}) == 0 &&
           player.Start({"paplay", "--device=testsink", tone.string()});
  }

  CPulseServer m_server;
  CPulseSoundDevices m_devices;
  CFakeClock m_clock{kT};
  CFakeWindow m_window;
  CFakeSettings m_settings;
  CFakeShell m_shell;
  std::unique_ptr<CHarkdeckDlg> m_dlg;
  int m_ticks = 0;
};

bool IsTone(double rms) { return rms > 40 && rms < 50; }

TEST_F(RecorderCaptureTest, RecordsSilenceAndAToneIntoMatchingFiles) {
  if (!ProgramOnPath("sox") || !ProgramOnPath("paplay")) GTEST_SKIP() << "sox or paplay missing";
  StartRecording();
  TickFor(1000ms);
  CChildProcess player;
  ASSERT_TRUE(PlayTone(player));
  TickFor(3000ms);
  EXPECT_EQ(player.Wait(), 0);
  const std::vector<double> levels = StopAndReadBlocks();

  int toneBlocks = 0;
  int silentBlocks = 0;
  for (const double level : levels) {
    toneBlocks += IsTone(level) ? 1 : 0;
    silentBlocks += level == 0.0 ? 1 : 0;
  }
  EXPECT_GE(toneBlocks, 8);
  EXPECT_LE(toneBlocks, 10);
  EXPECT_GE(silentBlocks, 4);
  EXPECT_GE(levels.size(), 17u) << "about four seconds in blocks of 0.2 s";
  EXPECT_TRUE(m_window.boxes.empty());
}

TEST_F(RecorderCaptureTest, VoxKeepsTheToneAndLeavesTheSilenceOut) {
  if (!ProgramOnPath("sox") || !ProgramOnPath("paplay")) GTEST_SKIP() << "sox or paplay missing";
  m_window.slider = 50;
  m_dlg->m_voxOn = 1;
  StartRecording();
  TickFor(1000ms);
  EXPECT_EQ(m_window.Text(1040), "Recording paused by Vox level");
  CChildProcess player;
  ASSERT_TRUE(PlayTone(player));
  TickFor(3500ms);
  EXPECT_EQ(player.Wait(), 0);
  const std::vector<double> levels = StopAndReadBlocks();

  // The tone, then the four blocks of the hang; the silence before is gone.
  ASSERT_GE(levels.size(), 12u);
  EXPECT_LE(levels.size(), 17u);
  EXPECT_GT(levels.front(), 10.0);
  int toneBlocks = 0;
  for (const double level : levels) toneBlocks += IsTone(level) ? 1 : 0;
  EXPECT_GE(toneBlocks, 8);
  for (std::size_t i = levels.size() - 4; i < levels.size(); ++i) EXPECT_LT(levels[i], 10.0);
}

TEST_F(RecorderCaptureTest, ServerThatDiesEndsTheRecordingWithItsFilesFinal) {
  StartRecording();
  TickFor(1000ms);
  m_server.Kill();
  TickFor(7000ms);
  EXPECT_EQ(m_dlg->m_recording, 0);
  ASSERT_EQ(m_window.boxes.size(), 1u);
  EXPECT_EQ(m_window.boxes[0].text, "Recording ended: the sound device stopped delivering sound");
  EXPECT_EQ(m_window.title, "Harkdeck - recording ended");
  EXPECT_GE(ReadBlocks().size(), 3u);
}

}  // namespace
}  // namespace harkdeck::test
