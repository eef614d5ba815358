#include "script/line_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace harkdeck {
namespace {

class LineReaderTest : public ::testing::Test {
 protected:
  LineReaderTest() {
    m_folder = std::filesystem::temp_directory_path() /
               ("harkdeck-line-reader-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(m_folder);
    std::filesystem::create_directories(m_folder);
  }
  ~LineReaderTest() override { std::filesystem::remove_all(m_folder); }

  std::string Write(const std::string& bytes) {
    const auto path = (m_folder / "script.txt").string();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    return path;
  }

  static std::vector<std::string> ReadAll(CLineReader& reader) {
    std::vector<std::string> pieces;
    std::string piece;
    while (reader.ReadString(&piece) == CLineReader::CReadStatus::kLine) pieces.push_back(piece);
    return pieces;
  }

  std::filesystem::path m_folder;
};

struct CPiecesCase {
  const char* name;
  std::string bytes;
  std::vector<std::string> pieces;
};

TEST_F(LineReaderTest, PiecesAsRead) {
  const std::string x254(254, 'x');
  const std::string x253(253, 'x');
  const std::vector<CPiecesCase> cases{
      {"lf lines", "a\nbc\n", {"a\n", "bc\n"}},
      {"crlf lines", "a\r\nbc\r\n", {"a\n", "bc\n"}},
      {"empty lines", "\n\r\n", {"\n", "\n"}},
      {"lone cr kept", "a\rb\n", {"a\rb\n"}},
      {"cr at the very end", "ab\r", {"ab\r"}},
      {"no final line feed", "arm:\nvoxon:", {"arm:\n", "voxon:"}},
      {"empty file", "", {}},
      {"300 characters",
       std::string(300, 'y') + "\n",
       {std::string(254, 'y'), std::string(46, 'y') + "\n"}},
      {"254 characters: the line feed does not fit", x254 + "\n", {x254, "\n"}},
      {"253 characters and crlf: the line feed fits", x253 + "\r\nz\n", {x253 + "\n", "z\n"}},
      {"crlf across the piece boundary", x254 + "\r\n", {x254, "\n"}},
      {"nul bytes are bytes", std::string("a\0b\n", 4), {std::string("a\0b\n", 4)}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CLineReader reader;
    ASSERT_TRUE(reader.Open(Write(c.bytes)));
    EXPECT_EQ(ReadAll(reader), c.pieces);
    std::string piece = "stale";
    EXPECT_EQ(reader.ReadString(&piece), CLineReader::CReadStatus::kEnd);
    EXPECT_EQ(piece, "");
  }
}

TEST_F(LineReaderTest, SeekToBeginReadsTheFirstLineAgain) {
  CLineReader reader;
  ASSERT_TRUE(reader.Open(Write("one\r\ntwo\n")));
  EXPECT_EQ(ReadAll(reader).size(), 2u);
  ASSERT_TRUE(reader.SeekToBegin());
  std::string piece;
  ASSERT_EQ(reader.ReadString(&piece), CLineReader::CReadStatus::kLine);
  EXPECT_EQ(piece, "one\n");
}

TEST_F(LineReaderTest, OpenedWithoutSharing) {
  const auto path = Write("voxon:\n");
  CLineReader first;
  ASSERT_TRUE(first.Open(path));
  CLineReader second;
  EXPECT_FALSE(second.Open(path)) << "a second open in the same process must fail";
  first.Close();
  EXPECT_FALSE(first.IsOpen());
  EXPECT_TRUE(second.Open(path));
}

TEST_F(LineReaderTest, OpenNeedsAnExistingRegularFile) {
  CLineReader reader;
  EXPECT_FALSE(reader.Open((m_folder / "missing.txt").string()));
  EXPECT_FALSE(reader.Open(m_folder.string()));
  EXPECT_FALSE(reader.IsOpen());
  std::string piece;
  EXPECT_EQ(reader.ReadString(&piece), CLineReader::CReadStatus::kError);
}

TEST_F(LineReaderTest, ReopeningClosesTheFileFirst) {
  const auto path = Write("a\n");
  CLineReader reader;
  ASSERT_TRUE(reader.Open(path));
  EXPECT_TRUE(reader.Open(path)) << "its own lock must not keep it out";
}

}  // namespace
}  // namespace harkdeck
