// How long '>' with Ctrl takes to search a 100-hour recording from its start
// to a target past its end: the longest search there is.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/datetime_text.h"
#include "control/harkdeck_dlg.h"
#include "files/wave_header.h"
#include "recording/wave_format.h"
#include "tests/fakes/fake_clock.h"
#include "tests/fakes/fake_settings.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/fake_sound.h"
#include "tests/fakes/fake_window.h"

namespace harkdeck {
namespace {

constexpr Time64 kStart = 1'700'000'000;
constexpr std::int64_t kHours = 100;
constexpr std::int64_t kBlocks = kHours * 3600 * kBlocksPerSecond;

void WriteRecording(const std::string& wavePath, const std::string& timePath) {
  {
    CByteFile wave;
    wave.Open(wavePath, CByteFile::CMode::kCreateWrite);
    WriteWaveHeader(wave, static_cast<std::uint32_t>(kBlocks * kBlockBytes));
  }
  // The search never reads the audio: a sparse file of the full length does.
  std::filesystem::resize_file(wavePath, kWaveHeaderBytes + kBlocks * kBlockBytes);

  std::vector<char> records;
  records.reserve(static_cast<std::size_t>(kBlocks) * 8);
  for (std::int64_t k = 0; k < kBlocks; ++k) {
    const auto stamp = static_cast<std::uint64_t>(kStart + k / kBlocksPerSecond);
    for (int i = 0; i < 8; ++i) records.push_back(static_cast<char>(stamp >> (8 * i)));
  }
  std::ofstream(timePath, std::ios::binary)
      .write(records.data(), static_cast<std::streamsize>(records.size()));
}

void SeekAcrossOneHundredHours(benchmark::State& state) {
  setenv("TZ", "UTC", 1);
  tzset();
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "harkdeck-seek-bench";
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);

  test::CFakeClock clock(kStart);
  test::CFakeWindow window;
  test::CFakeSound sound;
  test::CFakeSettings settings;
  test::CFakeShell shell;
  {
    CHarkdeckDlg dlg({clock, window, sound, settings, shell, "", home.string(), ""});
    dlg.OnInitDialog();
    const std::string folder = dlg.m_recordFolder;
    WriteRecording(folder + "0101000000.wav", folder + "0101000000.tim");
    window.fileAnswers.push_back(folder + "0101000000.wav");
    dlg.OnPlay();
    if (dlg.m_playing != 1) {
      state.SkipWithError("the recording did not play");
      return;
    }
    const std::string target = FormatDateTime(kStart + kHours * 3600 + 60);
    window.ctrlDown = true;

    for (auto _ : state) {
      // Back to where playback stood after priming.
      dlg.m_waveFile.Seek(kWaveHeaderBytes + 4 * kBlockBytes, CByteFile::COrigin::kBegin);
      dlg.m_timeFile.Seek(4 * 8, CByteFile::COrigin::kBegin);
      dlg.m_recordedTime = kStart;
      window.editAnswers.push_back(target);
      dlg.SkipForward();
      benchmark::DoNotOptimize(dlg.m_recordedTime);
    }
    state.counters["records_left"] =
        static_cast<double>((dlg.m_timeFile.Length() - dlg.m_timeFile.Position()) / 8);
    state.counters["seconds_probed_per_s"] = benchmark::Counter(
        static_cast<double>(kHours * 3600), benchmark::Counter::kIsIterationInvariantRate);
  }
  std::filesystem::remove_all(home);
}

BENCHMARK(SeekAcrossOneHundredHours)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace harkdeck

BENCHMARK_MAIN();
