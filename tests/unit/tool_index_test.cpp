#include <gtest/gtest.h>

#include <sstream>

#include "tests/unit/tool_fixture.h"
#include "tool/index.h"

namespace harkdeck {
namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string Index(CRecording& recording, CIndexFormat format) {
  std::ostringstream out;
  std::string error;
  EXPECT_TRUE(WriteIndex(recording, format, out, error)) << error;
  return out.str();
}

// first_block, blocks and the two times of each CSV row.
std::vector<CTransmission> TransmissionsFromCsv(const std::string& csv) {
  std::vector<CTransmission> found;
  const auto lines = Lines(csv);
  for (std::size_t i = 1; i < lines.size(); ++i) {
    std::vector<std::string> fields;
    std::istringstream row(lines[i]);
    for (std::string field; std::getline(row, field, ',');) fields.push_back(field);
    EXPECT_EQ(fields.size(), 10u) << lines[i];
    if (fields.size() != 10) continue;
    const CTransmission t{std::stoll(fields[6]), std::stoll(fields[7]), std::stoll(fields[3]),
                          std::stoll(fields[4])};
    EXPECT_EQ(fields[1], FormatDateTime(t.start));
    EXPECT_EQ(fields[2], FormatDateTime(t.end));
    EXPECT_EQ(std::stoll(fields[8]), 46 + t.firstBlock * 2205) << "wave offset";
    found.push_back(t);
  }
  return found;
}

class ToolIndexTest : public CToolTest {};

TEST_F(ToolIndexTest, ListsExactlyTheTransmissionsMadeInBothRecordWidths) {
  for (const int width : {8, 4}) {
    SCOPED_TRACE(width);
    Build(GappyStamps(), {.recordSize = width});
    CRecording recording;
    Open(recording);
    ASSERT_EQ(recording.recordSize, width);
    const std::string csv = Index(recording, CIndexFormat::kCsv);
    EXPECT_EQ(Lines(csv)[0],
              "number,start,end,start_time,end_time,seconds,first_block,blocks,wave_offset,"
              "audio_start");
    EXPECT_EQ(TransmissionsFromCsv(csv), GappyTransmissions());
  }
}

TEST_F(ToolIndexTest, LabelTrackMarksEachTransmissionInSecondsOfTheAudio) {
  Build(GappyStamps());
  CRecording recording;
  Open(recording);
  EXPECT_EQ(Index(recording, CIndexFormat::kLabels),
            "0.000000\t2.400000\t2026-07-03 14:05:09\n"
            "2.400000\t5.000000\t2026-07-03 14:05:17\n"
            "5.000000\t7.000000\t2026-07-03 13:05:09\n"
            "7.000000\t8.000000\t2026-07-03 16:05:09\n");
}

TEST_F(ToolIndexTest, TextAndJsonCarryTalkPerHourAndTotals) {
  Build(GappyStamps());
  CRecording recording;
  Open(recording);
  const std::string text = Index(recording, CIndexFormat::kText);
  EXPECT_NE(text.find("0703140509.wav: 4 transmissions"), std::string::npos) << text;
  EXPECT_NE(text.find("     2  2026-07-03 14:05:17  2026-07-03 14:05:20  2.6       26506"),
            std::string::npos)
      << text;
  // The hour 14:00 is met again after the clock went back to 13:05.
  EXPECT_NE(text.find("  2026-07-03 14:00  5.0 s\n  2026-07-03 13:00  2.0 s\n"
                      "  2026-07-03 16:00  1.0 s\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Recorded from 2026-07-03 13:05:09 to 2026-07-03 16:05:09 (0 03:00:00)"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("Audio kept 8.0 s"), std::string::npos) << text;
  EXPECT_NE(text.find("The clock went back 1 time "), std::string::npos) << text;

  const std::string json = Index(recording, CIndexFormat::kJson);
  EXPECT_NE(json.find("\"blocks\": 40,"), std::string::npos) << json;
  EXPECT_NE(json.find("{\"start\": \"2026-07-03 16:05:09\", \"end\": \"2026-07-03 16:05:09\", "
                      "\"start_time\": " +
                      std::to_string(kT0 + 7200) + ", \"end_time\": " + std::to_string(kT0 + 7200) +
                      ", \"seconds\": 1.0, \"first_block\": 35, \"blocks\": 5, "
                      "\"wave_offset\": 77221, \"audio_start\": 7.0}\n  ]"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"hour\": \"2026-07-03 13:00\", \"hour_time\": " +
                      std::to_string(kT0 - 3600 - 309) + ", \"seconds\": 2.0},"),
            std::string::npos)
      << json;
}

TEST_F(ToolIndexTest, BlocksWithoutRecordsAndAPartialBlockAreLeftOutAndTold) {
  Build(Stamps(kT0, 30), {.killed = true, .partialBytes = 1000, .missingRecords = 5});
  CRecording recording;
  Open(recording);
  EXPECT_EQ(recording.DatedBlocks(), 25);
  EXPECT_EQ(TransmissionsFromCsv(Index(recording, CIndexFormat::kCsv)),
            (std::vector<CTransmission>{{0, 25, kT0, kT0 + 4}}));
  const auto warnings = RecordingWarnings(recording);
  ASSERT_EQ(warnings.size(), 2u);
  EXPECT_NE(warnings[0].find("partial block of 1000 bytes"), std::string::npos);
  EXPECT_NE(warnings[1].find("5 of 30 blocks have no time record"), std::string::npos);
}

TEST_F(ToolIndexTest, RecordsThatAreNoDateTimeAreRefusedBeforeAnythingIsWritten) {
  // Another recording's time file, and a 4-byte file read as the 8-byte form.
  Build(Joined({Stamps(kT0, 10), {-5}, Stamps(kT0 + 2, 10)}));
  CRecording recording;
  Open(recording);
  std::ostringstream out;
  std::string error;
  EXPECT_FALSE(WriteIndex(recording, CIndexFormat::kText, out, error));
  EXPECT_EQ(out.str(), "");
  EXPECT_NE(error.find("1 time records that are no date-time, the first for block 10"),
            std::string::npos)
      << error;
}

TEST_F(ToolIndexTest, AnEmptyRecordingHasNoTransmission) {
  Build({});
  CRecording recording;
  Open(recording);
  EXPECT_EQ(Lines(Index(recording, CIndexFormat::kCsv)).size(), 1u);
  EXPECT_EQ(Index(recording, CIndexFormat::kLabels), "");
  EXPECT_NE(Index(recording, CIndexFormat::kJson).find("\"earliest\": null"), std::string::npos);
}

}  // namespace
}  // namespace harkdeck
