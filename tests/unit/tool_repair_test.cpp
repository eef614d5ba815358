#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/unit/tool_fixture.h"
#include "tool/repair.h"

namespace harkdeck {
namespace {

class ToolRepairTest : public CToolTest {
 protected:
  bool Repair(bool dryRun = false) {
    std::ostringstream out, err;
    const bool done = RepairRecording(WavePath(), "", dryRun, out, err);
    said = out.str();
    complaints = err.str();
    return done;
  }
  bool PassesHeaderCheck() {
    CByteFile file;
    return file.Open(WavePath(), CByteFile::CMode::kRead) && CheckWaveHeader(file);
  }

  std::string said;
  std::string complaints;
};

TEST_F(ToolRepairTest, AKilledRecordingGetsItsSizesAndKeepsEveryWholeBlock) {
  const auto stamps = Stamps(kT0, 40);
  Build(stamps, {.killed = true, .partialBytes = 1234});
  const std::string timeBefore = folder.ReadBytes("0703140509.tim");
  EXPECT_EQ(folder.ReadBytes("0703140509.wav").substr(4, 4), std::string("\x7b\xd7\x00\x00", 4))
      << "the provisional RIFF size 55163";

  ASSERT_TRUE(Repair(true)) << complaints;
  EXPECT_NE(said.find("Would cut the partial last block (1234 bytes)"), std::string::npos) << said;
  EXPECT_NE(said.find("Would set the header sizes from RIFF 55163, audio 55125 to RIFF 88238, "
                      "audio 88200"),
            std::string::npos)
      << said;
  EXPECT_EQ(folder.ReadBytes("0703140509.wav").size(), 46u + 40 * 2205 + 1234) << "dry run";

  ASSERT_TRUE(Repair()) << complaints;
  EXPECT_TRUE(PassesHeaderCheck());
  CRecording repaired;
  Open(repaired);
  EXPECT_EQ(repaired.audioBytesField, 40u * 2205);
  EXPECT_EQ(repaired.riffSize, 40u * 2205 + 38);
  EXPECT_EQ(repaired.waveBytes, 46 + 40 * 2205);
  repaired.wave.Close();
  repaired.time.Close();
  EXPECT_EQ(BlockNumbersIn(folder.ReadBytes("0703140509.wav")).size(), 40u);
  EXPECT_EQ(folder.ReadBytes("0703140509.wav").substr(46 + 39 * 2205), BlockAudio(39))
      << "the last whole block is intact";
  EXPECT_EQ(folder.ReadBytes("0703140509.tim"), timeBefore);

  ASSERT_TRUE(Repair());
  EXPECT_EQ(said, WavePath() + " needs no repair.\n");
}

TEST_F(ToolRepairTest, AGoodRecordingIsNotWrittenAtAll) {
  Build(GappyStamps());
  const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(WavePath(), old);
  std::filesystem::last_write_time(TimePath(), old);
  const std::string before = folder.ReadBytes("0703140509.wav");
  ASSERT_TRUE(Repair()) << complaints;
  EXPECT_EQ(said, WavePath() + " needs no repair.\n");
  EXPECT_EQ(complaints, "");
  EXPECT_EQ(folder.ReadBytes("0703140509.wav"), before);
  EXPECT_EQ(std::filesystem::last_write_time(WavePath()), old);
  EXPECT_EQ(std::filesystem::last_write_time(TimePath()), old);
}

TEST_F(ToolRepairTest, TimeRecordsPastTheLastBlockAreDroppedInEitherWidth) {
  for (const int width : {8, 4}) {
    SCOPED_TRACE(width);
    const auto stamps = Stamps(kT0, 40);
    Build(stamps, {.killed = true, .recordSize = width, .missingRecords = -2});
    folder.WriteBytes("0703140509.tim", folder.ReadBytes("0703140509.tim") + "\x01\x02\x03");
    ASSERT_TRUE(Repair()) << complaints;
    EXPECT_NE(said.find("Drop the " + std::to_string(2 * width + 3) +
                        " bytes past the last block's time record"),
              std::string::npos)
        << said;
    EXPECT_EQ(RecordsIn(folder.ReadBytes("0703140509.tim"), width), stamps);
    EXPECT_TRUE(PassesHeaderCheck());
  }
}

TEST_F(ToolRepairTest, BlocksWithoutRecordsAreCountedAndKept) {
  Build(Stamps(kT0, 40), {.killed = true, .missingRecords = 3});
  ASSERT_TRUE(Repair()) << complaints;
  EXPECT_NE(complaints.find("3 blocks have no time record"), std::string::npos) << complaints;
  EXPECT_EQ(BlockNumbersIn(folder.ReadBytes("0703140509.wav")).size(), 40u);
  EXPECT_TRUE(PassesHeaderCheck());
}

TEST_F(ToolRepairTest, ForeignAndBusyFilesAreRefusedUntouched) {
  struct CCase {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  const std::string ours = [&] {
    Build(Stamps(kT0, 2), {.killed = true});
    return folder.ReadBytes("0703140509.wav");
  }();
  std::string stereo = ours;
  stereo[22] = 2;
  std::string longFormat = ours;
  longFormat[16] = 16;
  for (const CCase& c : {CCase{"empty", "", "0 bytes long"},
                         CCase{"text", std::string(100, 'x'), "not a RIFF/WAVE file"},
                         CCase{"stereo", stereo, "1 channel(s)"},
                         CCase{"16-byte format", longFormat, "16 bytes long, not 18"}}) {
    SCOPED_TRACE(c.what);
    folder.WriteBytes("0703140509.wav", c.bytes);
    EXPECT_FALSE(Repair());
    EXPECT_NE(complaints.find("is not a Harkdeck recording: "), std::string::npos) << complaints;
    EXPECT_NE(complaints.find(c.reason), std::string::npos) << complaints;
    EXPECT_EQ(folder.ReadBytes("0703140509.wav"), c.bytes);
  }

  folder.WriteBytes("0703140509.wav", ours);
  CByteFile running;
  ASSERT_TRUE(running.Open(WavePath(), CByteFile::CMode::kRead));
  EXPECT_FALSE(Repair());
  EXPECT_NE(complaints.find("in use"), std::string::npos) << complaints;
  EXPECT_EQ(folder.ReadBytes("0703140509.wav"), ours);
}

}  // namespace
}  // namespace harkdeck
