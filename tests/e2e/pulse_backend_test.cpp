#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <thread>
#include <vector>

#include "platform/pulse/pulse_sound_devices.h"
#include "tests/e2e/pulse_server.h"

namespace harkdeck::test {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

double Rms(const std::uint8_t* data, std::size_t count) {
  double sum = 0;
  for (std::size_t i = 0; i < count; ++i) {
    const double sample = static_cast<double>(data[i]) - kSilence;
    sum += sample * sample;
  }
  return count == 0 ? 0 : std::sqrt(sum / static_cast<double>(count));
}

// A 1 kHz sine around the midpoint with an RMS of about 45.
void FillTone(std::uint8_t* data, std::size_t count, std::size_t start) {
  constexpr double kPi = 3.14159265358979;
  for (std::size_t i = 0; i < count; ++i) {
    const double phase = 2 * kPi * 1000.0 * static_cast<double>(start + i) / kBytesPerSecond;
    data[i] = static_cast<std::uint8_t>(std::lround(kSilence + 64 * std::sin(phase)));
  }
}

// The four blocks the recorder cycles through.
struct CRing {
  std::array<std::array<std::uint8_t, kBlockBytes>, kRingSlots> buffers{};
  std::array<CBlockHeader, kRingSlots> headers;

  CRing() {
    for (int i = 0; i < kRingSlots; ++i) {
      headers[i].data = buffers[i].data();
      headers[i].bufferLength = kBlockBytes;
    }
  }
  bool AllDone() const {
    for (const CBlockHeader& header : headers) {
      if (!header.IsDone()) return false;
    }
    return true;
  }
};

// Records for the given time as the tick does: each finished block in ring
// order is measured and queued again.
std::vector<double> RecordBlocks(IWaveIn& input, CRing& ring, std::chrono::milliseconds length) {
  std::vector<double> levels;
  int slot = 0;
  const auto end = Clock::now() + length;
  while (Clock::now() < end) {
    while (ring.headers[slot].IsDone()) {
      CBlockHeader& header = ring.headers[slot];
      EXPECT_EQ(header.bytesRecorded.load(), static_cast<std::uint32_t>(kBlockBytes));
      levels.push_back(Rms(header.data, header.bytesRecorded.load()));
      input.AddBuffer(header);
      slot = (slot + 1) % kRingSlots;
    }
    std::this_thread::sleep_for(20ms);
  }
  return levels;
}

void StartCapture(IWaveIn& input, CRing& ring) {
  for (CBlockHeader& header : ring.headers) {
    ASSERT_EQ(input.PrepareHeader(header), kMmNoError);
    ASSERT_EQ(input.AddBuffer(header), kMmNoError);
  }
  ASSERT_EQ(input.Start(), kMmNoError);
}

std::vector<std::uint8_t> ReadAll(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Number of whole blocks of the capture whose level is that of the test tone.
int ToneBlocks(const std::vector<std::uint8_t>& capture) {
  int blocks = 0;
  for (std::size_t at = 0; at + kBlockBytes <= capture.size(); at += kBlockBytes) {
    const double level = Rms(capture.data() + at, kBlockBytes);
    if (level > 40 && level < 50) ++blocks;
  }
  return blocks;
}

// The second column of each line of a short pactl listing, keyed by the first.
std::map<std::string, std::string> ShortListing(const std::string& text) {
  std::map<std::string, std::string> columns;
  std::istringstream lines(text);
  std::string index, second, rest;
  while (std::getline(lines, index, '\t') && std::getline(lines, second, '\t') &&
         std::getline(lines, rest)) {
    columns[index] = second;
  }
  return columns;
}

class PulseBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!CPulseServer::Installed()) GTEST_SKIP() << "pulseaudio, pactl or pacat is not installed";
    ASSERT_TRUE(m_server.Start()) << "the private sound server did not start";
  }

  std::filesystem::path Temp(const char* name) const { return m_server.Folder() / name; }

  // The name of the source or sink (kind "source" or "sink") the server's
  // only stream of that kind reads from or plays to.
  std::string StreamDevice(const std::string& kind) {
    const std::string list = kind == "sink" ? "sink-inputs" : "source-outputs";
    // A stream closed just before may take the server a moment to drop.
    auto streams = ShortListing(m_server.PactlOutput({"list", "short", list}));
    for (int i = 0; i < 20 && streams.size() > 1; ++i) {
      std::this_thread::sleep_for(50ms);
      streams = ShortListing(m_server.PactlOutput({"list", "short", list}));
    }
    if (streams.size() != 1) return "streams: " + std::to_string(streams.size());
    const auto devices = ShortListing(m_server.PactlOutput({"list", "short", kind + "s"}));
    const auto found = devices.find(streams.begin()->second);
    return found == devices.end() ? "unknown" : found->second;
  }

  CPulseServer m_server;
  CPulseSoundDevices m_devices;
  CWaveFormat m_format;
};

TEST_F(PulseBackendTest, ListsHardwareInputsBeforeMonitorsWithTheirNames) {
  // Created after the sink, so the server numbers it after the sink's monitor.
  ASSERT_TRUE(m_server.Pactl(
      {"load-module", "module-null-source", "source_name=scanner", "description=Scanner"}));
  ASSERT_TRUE(m_server.Pactl({"load-module", "module-null-sink", "sink_name=second",
                              "sink_properties=device.description=Second"}));

  ASSERT_EQ(m_devices.InputDeviceCount(), 3);
  std::vector<std::string> names;
  for (int device = 0; device < 3; ++device) {
    CInputCaps caps;
    ASSERT_EQ(m_devices.InputCaps(device, &caps), kMmNoError);
    EXPECT_NE(caps.formats, 0u) << caps.name;
    names.push_back(caps.name);
  }
  EXPECT_EQ(names[0], "Scanner");
  EXPECT_NE(names[1].find("Null Output"), std::string::npos) << names[1];
  EXPECT_NE(names[2].find("Second"), std::string::npos) << names[2];
  CInputCaps caps;
  EXPECT_EQ(m_devices.InputCaps(3, &caps), kMmBadDeviceId);
}

TEST_F(PulseBackendTest, OpensTheDeviceOfTheNumberOrTheDefault) {
  ASSERT_TRUE(m_server.Pactl({"load-module", "module-null-source", "source_name=scanner"}));
  ASSERT_TRUE(m_server.Pactl({"load-module", "module-null-sink", "sink_name=second"}));
  struct CCase {
    int device;
    const char* source;
    const char* sink;
  };
  for (const CCase& c :
       {CCase{kDefaultDevice, "testsink.monitor", "testsink"}, CCase{0, "scanner", "testsink"},
        CCase{1, "testsink.monitor", "second"}, CCase{2, "second.monitor", nullptr}}) {
    std::unique_ptr<IWaveIn> input;
    ASSERT_EQ(m_devices.OpenInput(&input, c.device, m_format), kMmNoError) << c.device;
    EXPECT_EQ(StreamDevice("source"), c.source) << c.device;
    input->Close();
    std::unique_ptr<IWaveOut> output;
    if (c.sink == nullptr) {
      EXPECT_EQ(m_devices.OpenOutput(&output, c.device, m_format), kMmBadDeviceId) << c.device;
      continue;
    }
    ASSERT_EQ(m_devices.OpenOutput(&output, c.device, m_format), kMmNoError) << c.device;
    EXPECT_EQ(StreamDevice("sink"), c.sink) << c.device;
    output->Close();
  }
}

TEST_F(PulseBackendTest, RecordsAToneAndSilenceAtTheirLevels) {
  ASSERT_TRUE(m_server.KeepAwake());
  std::unique_ptr<IWaveIn> input;
  ASSERT_EQ(m_devices.OpenInput(&input, kDefaultDevice, m_format), kMmNoError);
  CRing ring;
  StartCapture(*input, ring);

  const std::vector<double> quiet = RecordBlocks(*input, ring, 1000ms);
  ASSERT_GE(quiet.size(), 3u) << "capture did not run in real time";
  for (const double level : quiet) EXPECT_EQ(level, 0.0);

  const auto tone = Temp("tone.wav");
  ASSERT_EQ(RunProgram({"sox", "-n", "-r", "44100", "-c", "2", "-b", "16", tone.string(), "synth",
                        "2", "sine", "1000", "vol", "0.5"}),
            0);
  CChildProcess player;
  ASSERT_TRUE(player.Start({"paplay", "--device=testsink", tone.string()}));
  const std::vector<double> levels = RecordBlocks(*input, ring, 3000ms);
  EXPECT_EQ(player.Wait(), 0);
  int toneBlocks = 0;
  for (const double level : levels) toneBlocks += level > 40 && level < 50 ? 1 : 0;
  // Two seconds of tone: ten blocks, less the two it may straddle.
  EXPECT_GE(toneBlocks, 8);
  EXPECT_LE(toneBlocks, 10);
  EXPECT_GE(levels.size(), 13u);

  input->Reset();
  for (CBlockHeader& header : ring.headers) EXPECT_EQ(input->UnprepareHeader(header), kMmNoError);
  input->Close();
}

TEST_F(PulseBackendTest, ResetHandsBackEveryCaptureBufferAndStopsWritingIntoThem) {
  ASSERT_TRUE(m_server.KeepAwake());
  std::unique_ptr<IWaveIn> input;
  ASSERT_EQ(m_devices.OpenInput(&input, kDefaultDevice, m_format), kMmNoError);
  CRing ring;
  StartCapture(*input, ring);
  const auto deadline = Clock::now() + 2s;
  while (!ring.headers[0].IsDone() && Clock::now() < deadline) std::this_thread::sleep_for(10ms);
  ASSERT_TRUE(ring.headers[0].IsDone());
  ASSERT_FALSE(ring.headers[3].IsDone());

  EXPECT_EQ(input->Reset(), kMmNoError);
  EXPECT_TRUE(ring.AllDone());
  for (auto& buffer : ring.buffers) buffer.fill(0);
  std::this_thread::sleep_for(600ms);
  for (auto& buffer : ring.buffers) {
    EXPECT_EQ(Rms(buffer.data(), buffer.size()), 128.0) << "written after the reset";
  }
  for (CBlockHeader& header : ring.headers) EXPECT_EQ(input->UnprepareHeader(header), kMmNoError);
}

TEST_F(PulseBackendTest, UnpreparingAQueuedBufferIsRefused) {
  std::unique_ptr<IWaveIn> input;
  ASSERT_EQ(m_devices.OpenInput(&input, kDefaultDevice, m_format), kMmNoError);
  CRing ring;
  EXPECT_EQ(input->AddBuffer(ring.headers[0]), kWaveUnprepared);
  ASSERT_EQ(input->PrepareHeader(ring.headers[0]), kMmNoError);
  ASSERT_EQ(input->AddBuffer(ring.headers[0]), kMmNoError);
  EXPECT_EQ(input->UnprepareHeader(ring.headers[0]), kWaveStillPlaying);
  EXPECT_TRUE(ring.headers[0].IsPrepared());
  input->Reset();
  EXPECT_EQ(input->UnprepareHeader(ring.headers[0]), kMmNoError);
  EXPECT_FALSE(ring.headers[0].IsPrepared());
}

TEST_F(PulseBackendTest, PlaysBlocksInRealTimeIntoTheSink) {
  ASSERT_TRUE(m_server.KeepAwake());
  const auto heard = Temp("heard.raw");
  CChildProcess recorder;
  ASSERT_TRUE(recorder.Start({"pacat", "--record", "--device=testsink.monitor", "--format=u8",
                              "--rate=11025", "--channels=1", "--latency-msec=50"},
                             heard.string()));
  std::this_thread::sleep_for(500ms);

  std::unique_ptr<IWaveOut> output;
  ASSERT_EQ(m_devices.OpenOutput(&output, kDefaultDevice, m_format), kMmNoError);
  CRing ring;
  constexpr int kBlocks = 10;
  int written = 0;
  for (CBlockHeader& header : ring.headers) {
    FillTone(header.data, kBlockBytes, static_cast<std::size_t>(written++) * kBlockBytes);
    ASSERT_EQ(output->PrepareHeader(header), kMmNoError);
    ASSERT_EQ(output->Write(header), kMmNoError);
  }
  const auto start = Clock::now();
  int slot = 0;
  while (written < kBlocks && Clock::now() < start + 5s) {
    CBlockHeader& header = ring.headers[slot];
    if (!header.IsDone()) {
      std::this_thread::sleep_for(20ms);
      continue;
    }
    FillTone(header.data, kBlockBytes, static_cast<std::size_t>(written++) * kBlockBytes);
    ASSERT_EQ(output->Write(header), kMmNoError);
    slot = (slot + 1) % kRingSlots;
  }
  while (!ring.AllDone() && Clock::now() < start + 5s) std::this_thread::sleep_for(20ms);
  const auto taken = Clock::now() - start;
  ASSERT_TRUE(ring.AllDone());
  // Two seconds of audio, of which the server may hold about two blocks ahead.
  EXPECT_GE(taken, 1400ms);
  EXPECT_LE(taken, 2600ms);

  std::this_thread::sleep_for(800ms);
  recorder.Stop();
  const int toneBlocks = ToneBlocks(ReadAll(heard));
  EXPECT_GE(toneBlocks, kBlocks - 2);
  EXPECT_LE(toneBlocks, kBlocks);
  output->Close();
}

TEST_F(PulseBackendTest, ResetCutsOffWhatWasNotYetPlayed) {
  ASSERT_TRUE(m_server.KeepAwake());
  const auto heard = Temp("heard.raw");
  CChildProcess recorder;
  ASSERT_TRUE(recorder.Start({"pacat", "--record", "--device=testsink.monitor", "--format=u8",
                              "--rate=11025", "--channels=1", "--latency-msec=50"},
                             heard.string()));
  std::this_thread::sleep_for(500ms);

  std::unique_ptr<IWaveOut> output;
  ASSERT_EQ(m_devices.OpenOutput(&output, kDefaultDevice, m_format), kMmNoError);
  CRing ring;
  for (int i = 0; i < kRingSlots; ++i) {
    FillTone(ring.headers[i].data, kBlockBytes, static_cast<std::size_t>(i) * kBlockBytes);
    ASSERT_EQ(output->PrepareHeader(ring.headers[i]), kMmNoError);
    ASSERT_EQ(output->Write(ring.headers[i]), kMmNoError);
  }
  std::this_thread::sleep_for(100ms);
  EXPECT_FALSE(ring.AllDone());
  EXPECT_EQ(output->Reset(), kMmNoError);
  EXPECT_TRUE(ring.AllDone());

  std::this_thread::sleep_for(1200ms);
  recorder.Stop();
  const std::vector<std::uint8_t> capture = ReadAll(heard);
  std::size_t loud = 0;
  for (const std::uint8_t sample : capture) loud += sample > kSilence + 16 ? 1 : 0;
  // Of the 0.8 s queued, no more than what was already playing is heard.
  EXPECT_GT(loud, 0u) << "nothing played before the reset";
  EXPECT_LT(loud, static_cast<std::size_t>(kBlockBytes));
  output->Close();
}

TEST_F(PulseBackendTest, OpeningAMissingDeviceOrFormatFails) {
  CWaveFormat wide = m_format;
  wide.bitsPerSample = 24;
  wide.blockAlign = 3;
  struct CCase {
    const char* what;
    int device;
    const CWaveFormat& format;
    MmResult code;
  };
  for (const CCase& c : {CCase{"unknown number", 7, m_format, kMmBadDeviceId},
                         CCase{"negative number", -2, m_format, kMmBadDeviceId},
                         CCase{"24-bit samples", kDefaultDevice, wide, kWaveBadFormat}}) {
    std::unique_ptr<IWaveIn> input;
    std::unique_ptr<IWaveOut> output;
    EXPECT_EQ(m_devices.OpenInput(&input, c.device, c.format), c.code) << c.what;
    EXPECT_EQ(m_devices.OpenOutput(&output, c.device, c.format), c.code) << c.what;
    EXPECT_EQ(input, nullptr) << c.what;
    EXPECT_EQ(output, nullptr) << c.what;
  }
}

TEST_F(PulseBackendTest, ADeviceGoneSinceListingIsUnknown) {
  ASSERT_TRUE(m_server.Pactl({"load-module", "module-null-source", "source_name=scanner"}));
  ASSERT_EQ(m_devices.InputDeviceCount(), 2);
  ASSERT_TRUE(m_server.Pactl({"unload-module", "module-null-source"}));
  std::unique_ptr<IWaveIn> input;
  EXPECT_EQ(m_devices.OpenInput(&input, 1, m_format), kMmBadDeviceId);
}

TEST_F(PulseBackendTest, AServerThatDiesStopsCaptureWithoutHangingTheCaller) {
  ASSERT_TRUE(m_server.KeepAwake());
  std::unique_ptr<IWaveIn> input;
  ASSERT_EQ(m_devices.OpenInput(&input, kDefaultDevice, m_format), kMmNoError);
  CRing ring;
  StartCapture(*input, ring);
  ASSERT_FALSE(RecordBlocks(*input, ring, 600ms).empty());

  m_server.Kill();
  std::this_thread::sleep_for(300ms);
  const std::vector<double> after = RecordBlocks(*input, ring, 600ms);
  EXPECT_LE(after.size(), 1u) << "blocks kept coming from a dead server";
  const auto start = Clock::now();
  input->Reset();
  EXPECT_TRUE(ring.AllDone());
  EXPECT_EQ(input->Start(), kMmNoDriver);
  input->Close();
  EXPECT_LT(Clock::now() - start, 1s);
}

TEST(PulseNoServerTest, EveryOpenSaysThereIsNoDriver) {
  const std::filesystem::path folder = CPulseServer::PointAtNothing();
  CPulseSoundDevices devices;
  const CWaveFormat format;
  EXPECT_EQ(devices.InputDeviceCount(), 0);
  CInputCaps caps;
  EXPECT_EQ(devices.InputCaps(0, &caps), kMmNoDriver);
  for (const int device : {kDefaultDevice, 0}) {
    std::unique_ptr<IWaveIn> input;
    std::unique_ptr<IWaveOut> output;
    EXPECT_EQ(devices.OpenInput(&input, device, format), kMmNoDriver) << device;
    EXPECT_EQ(devices.OpenOutput(&output, device, format), kMmNoDriver) << device;
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace harkdeck::test
