#include "app/command_options.h"

#include <gtest/gtest.h>

namespace harkdeck {
namespace {

struct COptionsCase {
  std::vector<std::string> arguments;
  bool console;
  std::string inputWave;
  std::string commandLine;
  bool failed;
};

class CommandOptionsTest : public ::testing::TestWithParam<COptionsCase> {};

TEST_P(CommandOptionsTest, SplitsOurOptionsFromTheRecordersCommandLine) {
  const COptionsCase& c = GetParam();
  const CCommandOptions options = ParseCommandOptions(c.arguments);
  EXPECT_EQ(options.console, c.console);
  EXPECT_EQ(options.inputWave, c.inputWave);
  EXPECT_EQ(options.commandLine, c.commandLine);
  EXPECT_EQ(!options.error.empty(), c.failed) << options.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandOptionsTest,
    ::testing::Values(
        COptionsCase{{}, false, "", "", false},
        COptionsCase{{"/script", "daily.txt"}, false, "", "/script daily.txt", false},
        COptionsCase{
            {"--console", "/script", "my script.txt"}, true, "", "/script my script.txt", false},
        COptionsCase{{"--input-wav", "old.wav", "--console"}, true, "old.wav", "", false},
        COptionsCase{{"--input-wav=a b.wav"}, false, "a b.wav", "", false},
        // After the recorder's command line starts, nothing is ours any more.
        COptionsCase{{"/script", "--console"}, false, "", "/script --console", false},
        COptionsCase{{"--", "--console"}, false, "", "--console", false},
        COptionsCase{{"--input-wav"}, false, "", "", true},
        COptionsCase{{"--record-forever"}, false, "", "", true}));

TEST(UsageTextTest, DocumentsEveryOption) {
  const std::string usage = UsageText();
  for (const char* option :
       {"/script FILE", "--console", "--input-wav FILE", "--help", "--version"}) {
    EXPECT_NE(usage.find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace harkdeck
