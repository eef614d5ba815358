#include <malloc.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "control/datetime_text.h"
#include "files/byte_file.h"
#include "files/wave_header.h"
#include "recording/block_ring.h"
#include "recording/wave_format.h"
#include "tests/fakes/recorder_fixture.h"
#include "tests/unit/time_zone.h"

namespace harkdeck::test {
namespace {

// Central European time, whose clocks go forward on the last Sunday of March.
constexpr char kBerlin[] = "CET-1CEST,M3.5.0,M10.5.0/3";
constexpr Time64 kHalfHour = 1800;

std::size_t OpenDescriptors() {
  std::size_t count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// One finished recording as the disk holds it.
struct CDayRecording {
  std::string name;
  bool headerPasses = false;
  std::uint32_t dataSize = 0;
  std::uint64_t audioBytes = 0;
  std::size_t records = 0;
  Time64 firstTime = 0;
  Time64 lastTime = 0;
  bool timesInOrder = true;
};

class ScriptWeekTest : public CRecorderFixture {
 protected:
  // Ticks once a second while the recorder waits or records, with the card
  // delivering five blocks a second (the ring holds four, so that second is
  // ticked twice), and jumps the clock over the wait of an arming.
  void RunUntil(Time64 until) {
    while (clock.Now() < until) {
      if (dlg->m_armed == 1 && clock.Now() < dlg->m_beginTime - 1) {
        clock.Set(dlg->m_beginTime - 1);
      }
      clock.Advance(1);
      const bool wasRecording = dlg->m_recording == 1;
      if (wasRecording) {
        sound.CompleteInput(3);
        Tick();
        sound.CompleteInput(2);
      }
      Tick();
      if (wasRecording && dlg->m_recording == 0) Finished();
    }
  }

  // Reads the recording just ended and removes its files, so a week of audio
  // needs no more disk than one day's.
  void Finished() {
    // Under AddressSanitizer the allocator reports nothing here, and the
    // check compares zeros.
    heapInUse.push_back(mallinfo2().uordblks);
    EXPECT_EQ(OpenDescriptors(), descriptorsWhileIdle) << "after recording " << days.size();
    EXPECT_EQ(sound.openStreams, 0);
    EXPECT_TRUE(g_blockBuffers[0].empty());
    EXPECT_FALSE(g_inHeaders[0]);
    EXPECT_FALSE(dlg->m_waveFile.IsOpen());
    EXPECT_FALSE(dlg->m_timeFile.IsOpen());

    CDayRecording day;
    day.name = dlg->m_waveName.substr(0, dlg->m_waveName.size() - 4);
    const std::string wavePath = RecordFolder() + dlg->m_waveName;
    const std::string timePath = RecordFolder() + day.name + ".tim";
    {
      CByteFile wave;
      if (wave.Open(wavePath, CByteFile::CMode::kRead)) {
        day.headerPasses = CheckWaveHeader(wave);
        day.audioBytes = static_cast<std::uint64_t>(wave.Length() - kWaveHeaderBytes);
        unsigned char size[4] = {};
        wave.Seek(42, CByteFile::COrigin::kBegin);
        wave.Read(size, sizeof size);
        day.dataSize = static_cast<std::uint32_t>(size[0] | size[1] << 8 | size[2] << 16 |
                                                  static_cast<std::uint32_t>(size[3]) << 24);
      }
    }
    std::ifstream time(timePath, std::ios::binary);
    unsigned char record[8];
    while (time.read(reinterpret_cast<char*>(record), sizeof record)) {
      std::uint64_t value = 0;
      for (int i = 7; i >= 0; --i) value = value << 8 | record[i];
      const auto t = static_cast<Time64>(value);
      if (day.records == 0) day.firstTime = t;
      day.timesInOrder = day.timesInOrder && t >= day.lastTime;
      day.lastTime = t;
      ++day.records;
    }
    days.push_back(day);
    std::filesystem::remove(wavePath);
    std::filesystem::remove(timePath);
  }

  std::size_t descriptorsWhileIdle = 0;
  std::vector<CDayRecording> days;
  std::vector<std::size_t> heapInUse;
};

// The daily script runs from a Wednesday noon to the next Wednesday morning,
// across the night the clocks go forward. Every evening, the one after the
// change included, records 18:00 to 18:30 by the wall clock.
TEST_F(ScriptWeekTest, DailyScriptRecordsSevenEveningsAcrossTheClockChange) {
  const CTimeZone zone(kBerlin);
  const Time64 wednesdayNoon = LocalTimeFromFields(2030, 3, 27, 12, 0, 0);
  clock.Set(wednesdayNoon);
  const std::string script = (home / "daily.txt").string();
  std::ofstream(script) << "; every evening\nbegin: 18:00:00\nend: 18:30:00\narm:\nrewind:\n";
  Start("/script " + script);
  ASSERT_EQ(dlg->m_scriptActive, 1);
  descriptorsWhileIdle = OpenDescriptors();

  RunUntil(LocalTimeFromFields(2030, 4, 3, 9, 0, 0));

  struct CExpected {
    const char* name;
    Time64 begin;
  };
  const CExpected expected[] = {
      {"0327180000", LocalTimeFromFields(2030, 3, 27, 18, 0, 0)},
      {"0328180000", LocalTimeFromFields(2030, 3, 28, 18, 0, 0)},
      {"0329180000", LocalTimeFromFields(2030, 3, 29, 18, 0, 0)},
      {"0330180000", LocalTimeFromFields(2030, 3, 30, 18, 0, 0)},
      {"0331180000", LocalTimeFromFields(2030, 3, 31, 18, 0, 0)},
      {"0401180000", LocalTimeFromFields(2030, 4, 1, 18, 0, 0)},
      {"0402180000", LocalTimeFromFields(2030, 4, 2, 18, 0, 0)},
  };
  ASSERT_EQ(days.size(), std::size(expected));
  for (std::size_t i = 0; i < days.size(); ++i) {
    const CDayRecording& day = days[i];
    SCOPED_TRACE(expected[i].name);
    EXPECT_EQ(day.name, expected[i].name);
    EXPECT_TRUE(day.headerPasses);
    EXPECT_EQ(day.dataSize, day.audioBytes) << "header not final";
    EXPECT_EQ(day.audioBytes % kBlockBytes, 0u);
    EXPECT_EQ(day.audioBytes / kBlockBytes, day.records);
    // From the first tick past the begin to the first past the end, five
    // blocks a second; the tick that ends it services the blocks it finds.
    EXPECT_GE(day.records, 5u * kHalfHour - 5);
    EXPECT_LE(day.records, 5u * kHalfHour);
    EXPECT_EQ(day.firstTime, expected[i].begin + 2);
    EXPECT_EQ(day.lastTime, expected[i].begin + kHalfHour + 1);
    EXPECT_TRUE(day.timesInOrder);
  }
  EXPECT_EQ(dlg->m_armed, 1) << "the eighth evening is armed";
  EXPECT_EQ(dlg->m_beginTime, LocalTimeFromFields(2030, 4, 3, 18, 0, 0));
  EXPECT_EQ(OpenDescriptors(), descriptorsWhileIdle);
  // The first evening settles what a recording allocates; later ones add nothing.
  EXPECT_LE(heapInUse.back(), heapInUse[1] + 16 * 1024);
  EXPECT_TRUE(std::filesystem::is_empty(RecordFolder()));
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_TRUE(window.dialogs.empty());
}

}  // namespace
}  // namespace harkdeck::test
