#include "files/recording_names.h"

#include <gtest/gtest.h>

#include <string>

#include "files/byte_file.h"
#include "tests/unit/temp_folder.h"
#include "tests/unit/time_zone.h"

namespace harkdeck {
namespace {

TEST(RecordingNamesTest, NamesComeFromTheBeginTimeInLocalTime) {
  // 2024-07-03 12:05:09 UTC
  const Time64 begin = 1720008309;
  EXPECT_EQ(WaveFileName(begin), "0703120509.wav");
  EXPECT_EQ(TimeFileName(begin), "0703120509.tim");
  {
    CTimeZone zone("Europe/Berlin");  // summer time, UTC+2
    EXPECT_EQ(WaveFileName(begin), "0703140509.wav");
    EXPECT_EQ(TimeFileName(begin), "0703140509.tim");
  }
  {
    CTimeZone zone("America/New_York");  // the local date is still the 3rd, 08:05
    EXPECT_EQ(WaveFileName(begin), "0703080509.wav");
  }
  CTimeZone zone("Pacific/Kiritimati");  // UTC+14 turns it into the 4th
  EXPECT_EQ(WaveFileName(begin), "0704020509.wav");
}

TEST(RecordingNamesTest, SameSecondAYearApartGivesTheSameName) {
  EXPECT_EQ(WaveFileName(1688385909), WaveFileName(1720008309));  // 2023 and 2024, 3 July
}

TEST(RecordingNamesTest, TimesTheBreakdownRefusesGiveNoName) {
  EXPECT_EQ(WaveFileName(-1), "");
  EXPECT_EQ(TimeFileName(32535244800), "");
  EXPECT_EQ(WaveFileName(0), "0101000000.wav");
  EXPECT_EQ(WaveFileName(32535244799), "0101075959.wav");
}

TEST(RecordingNamesTest, TimeFilePathReplacesEveryLowerCaseWav) {
  const struct {
    const char* wave;
    const char* time;
  } cases[] = {
      {"/home/u/Documents/Harkdeck/0703140509.wav", "/home/u/Documents/Harkdeck/0703140509.tim"},
      {"/data/wavs/0703140509.wav", "/data/tims/0703140509.tim"},
      {"/data/wavwav/x.wav", "/data/timtim/x.tim"},
      {"/data/wawav.wav", "/data/watim.tim"},
      {"/data/0703140509.WAV", "/data/0703140509.WAV"},  // maps to itself
      {"/data/Wav/a.Wav", "/data/Wav/a.Wav"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(TimeFilePathFor(c.wave), c.time) << c.wave;
}

// With an upper-case extension the derived path is the wave file itself, which
// playback already holds, so the time file does not open.
TEST(RecordingNamesTest, UpperCaseExtensionFindsNoTimeFileBesideTheOpenWave) {
  CTempFolder folder;
  folder.WriteBytes("0703140509.WAV", std::string(46, '\0'));
  folder.WriteBytes("0703140509.tim", std::string(8, '\0'));
  const std::string wavePath = folder.Path("0703140509.WAV");
  CByteFile wave;
  ASSERT_TRUE(wave.Open(wavePath, CByteFile::CMode::kRead));
  CByteFile time;
  EXPECT_FALSE(time.Open(TimeFilePathFor(wavePath), CByteFile::CMode::kRead));
}

}  // namespace
}  // namespace harkdeck
