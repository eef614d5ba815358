#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "tests/unit/time_zone.h"
#include "tests/unit/tool_fixture.h"
#include "tool/run_tool.h"
#include "tool/tool_options.h"

namespace harkdeck {
namespace {

TEST(ToolOptionsTest, CommandLinesThatCannotBeUsedSayWhy) {
  struct CCase {
    std::vector<std::string> arguments;
    const char* complaint;
  };
  const CCase cases[] = {
      {{}, "Name a command"},
      {{"play", "a.wav"}, "Unknown command \"play\""},
      {{"index"}, "Name the wave file"},
      {{"index", "a.wav", "b.wav"}, "one too many"},
      {{"index", "--bogus", "a.wav"}, "Unknown option --bogus"},
      {{"info", "--csv", "a.wav"}, "--csv belongs to index"},
      {{"repair", "--each", "a.wav"}, "--each belongs to export"},
      {{"index", "--dry-run", "a.wav"}, "--dry-run belongs to repair"},
      {{"export", "a.wav"}, "either --from and --to"},
      {{"export", "--each", "--from", "2026-07-03 14:00:00", "a.wav"}, "either --from and --to"},
      {{"export", "--from", "yesterday", "a.wav"}, "--from wants a date-time"},
      {{"export", "--to", "2026-13-03 14:00:00", "a.wav"}, "The month must be from 1 to 12"},
      {{"export", "--from", "2026-07-03 14:00:00", "--to", "2026-07-03 14:00:00", "a.wav"},
       "--to must be later than --from"},
      {{"export", "a.wav", "--out"}, "--out wants a value"},
  };
  for (const CCase& c : cases) {
    const CToolOptions options = ParseToolOptions(c.arguments);
    EXPECT_NE(options.error.find(c.complaint), std::string::npos)
        << "got \"" << options.error << "\" for " << ::testing::PrintToString(c.arguments);
  }
}

TEST(ToolOptionsTest, DateTimesAreLocalAndTakeOneArgumentOrTwo) {
  CTimeZone paris("Europe/Paris");  // UTC+2 in July
  for (const auto& arguments : std::vector<std::vector<std::string>>{
           {"export", "--from", "2026-07-03 14:05:09", "a.wav", "--to=2026-07-03 16:00:00"},
           {"export", "a.wav", "--from", "2026-07-03", "14:05:09", "--to", "2026-07-03",
            "16:00:00"}}) {
    const CToolOptions options = ParseToolOptions(arguments);
    ASSERT_EQ(options.error, "");
    EXPECT_EQ(options.wavePath, "a.wav");
    EXPECT_EQ(options.range.from, kT0 - 7200);
    EXPECT_EQ(options.range.to, kT0 - 7200 + 6891);
  }
}

class ToolRunTest : public CToolTest {
 protected:
  int Tool(std::vector<std::string> arguments) {
    std::ostringstream outStream, errStream;
    const int status = RunTool(arguments, "9.9", outStream, errStream);
    out = outStream.str();
    err = errStream.str();
    return status;
  }
  std::string out;
  std::string err;
};

TEST_F(ToolRunTest, HelpVersionAndUsageFaults) {
  EXPECT_EQ(Tool({"--help"}), 0);
  EXPECT_NE(out.find("Usage: harkdeck-tool COMMAND"), std::string::npos);
  EXPECT_EQ(Tool({"export", "--help"}), 0);
  EXPECT_NE(out.find("--dry-run"), std::string::npos);
  EXPECT_EQ(Tool({"--version"}), 0);
  EXPECT_EQ(out, "harkdeck-tool 9.9\n");
  EXPECT_EQ(Tool({"index"}), 2);
  EXPECT_NE(err.find("Try harkdeck-tool --help."), std::string::npos);
}

TEST_F(ToolRunTest, MissingForeignAndUnnamedFilesFailWithAMessage) {
  EXPECT_EQ(Tool({"index", WavePath()}), 1);
  EXPECT_EQ(err, WavePath() + ": no such file.\n");

  folder.WriteBytes("song.wav", std::string(200, 'x'));
  for (const char* command : {"index", "info", "export", "repair"}) {
    std::vector<std::string> arguments{command, folder.Path("song.wav")};
    if (std::string(command) == "export") arguments.push_back("--each");
    EXPECT_EQ(Tool(arguments), 1) << command;
    EXPECT_NE(err.find("is not a Harkdeck recording: it is not a RIFF/WAVE file."),
              std::string::npos)
        << err;
  }

  BuildRecording(folder.Path("REC.WAV"), folder.Path("REC.TIM"), Stamps(kT0, 5));
  EXPECT_EQ(Tool({"index", folder.Path("REC.WAV")}), 1);
  EXPECT_NE(err.find("--time FILE"), std::string::npos) << err;
  EXPECT_EQ(Tool({"index", "--labels", folder.Path("REC.WAV"), "--time", folder.Path("REC.TIM")}),
            0)
      << err;
  EXPECT_EQ(out, "0.000000\t1.000000\t2026-07-03 14:05:09\n");

  Build(Stamps(kT0, 5));
  std::filesystem::remove(TimePath());
  EXPECT_EQ(Tool({"index", WavePath()}), 1);
  EXPECT_EQ(err, TimePath() + ": no such file.\n");
}

TEST_F(ToolRunTest, InfoTellsAKilledRecordingFromAFinishedOne) {
  Build(Joined({Stamps(kT0, 30), Stamps(kT0 + 300, 10)}), {.killed = true, .partialBytes = 7});
  EXPECT_EQ(Tool({"info", WavePath()}), 0) << err;
  EXPECT_NE(out.find("Header sizes  RIFF 55163, audio 55125 (provisional: the recording never "
                     "ended; repair sets them)"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Blocks        40 (8.0 s of audio) and a partial block of 7 bytes"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("Records       40 of 8 bytes"), std::string::npos) << out;
  EXPECT_NE(out.find("First         2026-07-03 14:05:09\nLast          2026-07-03 14:10:10\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("block 30: 2026-07-03 14:05:14 -> 2026-07-03 14:10:09  (0 00:04:55)"),
            std::string::npos)
      << out;

  EXPECT_EQ(Tool({"repair", WavePath()}), 0) << err;
  EXPECT_EQ(Tool({"info", WavePath()}), 0) << err;
  EXPECT_NE(out.find("Header sizes  RIFF 88238, audio 88200 (final)"), std::string::npos) << out;
}

TEST_F(ToolRunTest, InfoWithoutATimeFileSaysWhatItCanAndFails) {
  Build(Stamps(kT0, 5));
  std::filesystem::remove(TimePath());
  EXPECT_EQ(Tool({"info", WavePath()}), 1);
  EXPECT_NE(out.find("Blocks        5 (1.0 s of audio)"), std::string::npos) << out;
  EXPECT_NE(err.find("No time file"), std::string::npos) << err;
}

TEST_F(ToolRunTest, ExportFromTheCommandLineWritesIntoTheOutFolder) {
  Build(GappyStamps());
  std::filesystem::create_directory(folder.Path("out"));
  EXPECT_EQ(
      Tool({"export", WavePath(), "--from", "2026-07-03 16:00:00", "--out", folder.Path("out")}), 0)
      << err;
  EXPECT_TRUE(std::filesystem::exists(folder.Path("out/0703160509.wav")));
  EXPECT_TRUE(std::filesystem::exists(folder.Path("out/0703160509.tim")));
  EXPECT_EQ(Tool({"export", WavePath(), "--each", "--out", folder.Path("nowhere")}), 1);
  EXPECT_NE(err.find("is no folder"), std::string::npos);
}

TEST_F(ToolRunTest, DamagedRecordingsNeverCrashAndEveryFailureIsTold) {
  Build(GappyStamps());
  const std::string wave = folder.ReadBytes("0703140509.wav");
  const std::string time = folder.ReadBytes("0703140509.tim");
  struct CCase {
    const char* what;
    std::string wave;
    std::string time;
  };
  std::string noise(5000, '\0');
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>(i * 131 % 251);
  const CCase cases[] = {
      {"header cut at 45 bytes", wave.substr(0, 45), time},
      {"header only", wave.substr(0, 46), time},
      {"audio cut mid-block", wave.substr(0, 46 + 2205 * 3 + 17), time},
      {"empty time file", wave, ""},
      {"time file of noise", wave, noise},
      {"time file cut mid-record", wave, time.substr(0, 8 * 20 + 5)},
      {"time records all 0xff", wave, std::string(time.size(), '\xff')},
  };
  std::filesystem::create_directory(folder.Path("out"));
  for (const CCase& c : cases) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"index", WavePath()},
             {"index", "--json", WavePath()},
             {"info", WavePath()},
             {"export", "--each", "--out", folder.Path("out"), WavePath()},
             {"export", "--from", "2026-07-03 14:05:10", "--out", folder.Path("out"), WavePath()},
             {"repair", "--dry-run", WavePath()},
             {"repair", WavePath()}}) {
      SCOPED_TRACE(std::string(c.what) + ": " + ::testing::PrintToString(arguments));
      folder.WriteBytes("0703140509.wav", c.wave);
      folder.WriteBytes("0703140509.tim", c.time);
      const int status = Tool(arguments);
      EXPECT_TRUE(status == 0 || status == 1) << status;
      EXPECT_TRUE(status == 0 || !err.empty());
      // Whatever an export wrote is a finished recording.
      for (const auto& entry : std::filesystem::directory_iterator(folder.Path("out"))) {
        if (entry.path().extension() != ".wav") continue;
        CRecording exported;
        std::string error;
        EXPECT_TRUE(OpenRecording(entry.path().string(), "", CByteFile::CMode::kRead,
                                  CTimeFileNeed::kRequired, exported, error))
            << error;
        EXPECT_EQ(exported.audioBytesField, exported.AudioBytes());
        EXPECT_EQ(exported.Records(), exported.Blocks());
      }
      std::filesystem::remove_all(folder.Path("out"));
      std::filesystem::create_directory(folder.Path("out"));
    }
  }
}

}  // namespace
}  // namespace harkdeck
