#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <sstream>

#include "tests/unit/tool_fixture.h"
#include "tool/export.h"

namespace harkdeck {
namespace {

std::vector<std::int64_t> Blocks(std::int64_t first, std::int64_t count) {
  std::vector<std::int64_t> blocks(static_cast<std::size_t>(count));
  std::iota(blocks.begin(), blocks.end(), first);
  return blocks;
}

class ToolExportTest : public CToolTest {
 protected:
  void SetUp() override { std::filesystem::create_directory(folder.Path("out")); }

  std::vector<std::string> OutFiles() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path("out"))) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  // Checks that an exported recording is final and holds the given source
  // blocks with their records, in 8-byte form.
  void ExpectExport(const std::string& name, const std::vector<std::int64_t>& blocks,
                    const std::vector<Time64>& sourceStamps) {
    SCOPED_TRACE(name);
    CRecording exported;
    std::string error;
    ASSERT_TRUE(OpenRecording(folder.Path("out/" + name + ".wav"), "", CByteFile::CMode::kRead,
                              CTimeFileNeed::kRequired, exported, error))
        << error;
    const std::int64_t audio = static_cast<std::int64_t>(blocks.size()) * kBlockBytes;
    EXPECT_EQ(exported.audioBytesField, audio);
    EXPECT_EQ(exported.riffSize, audio + 38);
    EXPECT_EQ(exported.waveBytes, 46 + audio);
    exported.wave.Close();
    exported.time.Close();
    EXPECT_EQ(BlockNumbersIn(folder.ReadBytes("out/" + name + ".wav")), blocks);
    std::vector<Time64> stamps;
    for (const std::int64_t k : blocks) stamps.push_back(sourceStamps[k]);
    EXPECT_EQ(RecordsIn(folder.ReadBytes("out/" + name + ".tim")), stamps);
  }

  bool ExportRangeOf(const CExportRange& range, std::string* messages = nullptr) {
    CRecording recording;
    Open(recording);
    std::ostringstream out, err;
    const bool done = ExportRange(recording, range, folder.Path("out"), out, err);
    if (messages != nullptr) *messages = err.str();
    return done;
  }
};

TEST_F(ToolExportTest, ARangeHoldsExactlyTheBlocksStampedInsideIt) {
  const auto stamps = GappyStamps();
  Build(stamps);
  // From the gate's second opening up to, not including, the clock's step back;
  // the hour after the step back is stamped earlier and stays out.
  ASSERT_TRUE(ExportRangeOf({kT0 + 1, kT0 + 11}));
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"0703140510.tim", "0703140510.wav"}));
  std::vector<std::int64_t> expected = Blocks(5, 7);  // kT0 + 1 and + 2 of the first run
  const auto second = Blocks(12, 12);                 // all but the block stamped kT0 + 11
  expected.insert(expected.end(), second.begin(), second.end());
  ExpectExport("0703140510", expected, stamps);
}

TEST_F(ToolExportTest, AnOpenEndedRangeFollowsTheRecordsNotTheFileOrder) {
  const auto stamps = GappyStamps();
  Build(stamps, {.recordSize = 4});
  ASSERT_TRUE(ExportRangeOf({std::nullopt, kT0}));
  EXPECT_EQ(OutFiles(), (std::vector<std::string>{"0703130509.tim", "0703130509.wav"}));
  ExpectExport("0703130509", Blocks(25, 10), stamps);
}

TEST_F(ToolExportTest, EachTransmissionGoesToARecordingOfItsOwn) {
  const auto stamps = GappyStamps();
  Build(stamps);
  CRecording recording;
  Open(recording);
  std::ostringstream out, err;
  ASSERT_TRUE(ExportEach(recording, folder.Path("out"), out, err)) << err.str();
  EXPECT_EQ(OutFiles().size(), 8u);
  ExpectExport("0703140509", Blocks(0, 12), stamps);
  ExpectExport("0703140517", Blocks(12, 13), stamps);
  ExpectExport("0703130509", Blocks(25, 10), stamps);
  ExpectExport("0703160509", Blocks(35, 5), stamps);
  EXPECT_NE(out.str().find("0703140517.wav  2026-07-03 14:05:17 .. 2026-07-03 14:05:20  2.6 s"),
            std::string::npos)
      << out.str();
}

TEST_F(ToolExportTest, ATakenNameIsNeverOverwrittenAndOnlyThatExportIsLeftOut) {
  // After the clock went back, the same second starts a second transmission.
  const auto stamps = Joined({Stamps(kT0, 10), Stamps(kT0, 5)});
  Build(stamps);
  CRecording recording;
  Open(recording);
  std::ostringstream out, err;
  EXPECT_FALSE(ExportEach(recording, folder.Path("out"), out, err));
  EXPECT_NE(err.str().find("0703140509.wav exists and is not overwritten."), std::string::npos)
      << err.str();
  ExpectExport("0703140509", Blocks(0, 10), stamps);

  // The source itself is never a target either.
  std::ostringstream out2, err2;
  EXPECT_FALSE(ExportRange(recording, {}, folder.Path(""), out2, err2));
  EXPECT_EQ(BlockNumbersIn(folder.ReadBytes("0703140509.wav")), Blocks(0, 15));
}

TEST_F(ToolExportTest, NothingInRangeWritesNothingAndSaysSo) {
  Build(GappyStamps());
  std::string messages;
  EXPECT_FALSE(ExportRangeOf({kT0 + 3, kT0 + 8}, &messages));
  EXPECT_NE(messages.find("No block"), std::string::npos);
  EXPECT_TRUE(OutFiles().empty());
}

TEST_F(ToolExportTest, AFailedWriteLeavesNoHalfFileBehind) {
  Build(GappyStamps());
  CRecording recording;
  Open(recording);
  std::ostringstream out, err;
  EXPECT_FALSE(ExportRange(recording, {}, folder.Path("out/missing"), out, err));
  EXPECT_NE(err.str().find("cannot be created"), std::string::npos) << err.str();
  EXPECT_TRUE(OutFiles().empty());
}

}  // namespace
}  // namespace harkdeck
