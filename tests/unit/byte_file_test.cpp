#include "files/byte_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/unit/temp_folder.h"

namespace harkdeck {
namespace {

TEST(ByteFileTest, CreateTruncatesAndReadsBackWithSeeksFromStartAndCurrent) {
  CTempFolder folder;
  folder.WriteBytes("a.bin", "old contents that must go");
  CByteFile file;
  ASSERT_TRUE(file.Open(folder.Path("a.bin"), CByteFile::CMode::kCreateWrite));
  EXPECT_EQ(file.Length(), 0);
  ASSERT_TRUE(file.Write("0123456789", 10));
  EXPECT_EQ(file.Position(), 10);
  EXPECT_EQ(file.Length(), 10);
  file.Close();
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(FileSize(folder.Path("a.bin")), 10u);

  ASSERT_TRUE(file.Open(folder.Path("a.bin"), CByteFile::CMode::kRead));
  EXPECT_EQ(file.Seek(6, CByteFile::COrigin::kBegin), 6);
  EXPECT_EQ(file.Seek(-4, CByteFile::COrigin::kCurrent), 2);
  char bytes[20] = {};
  EXPECT_EQ(file.Read(bytes, 3), 3u);
  EXPECT_EQ(std::string(bytes, 3), "234");
  EXPECT_EQ(file.Read(bytes, sizeof bytes), 5u) << "a read stops at the end of the file";
  EXPECT_EQ(file.Read(bytes, sizeof bytes), 0u);
  EXPECT_EQ(file.Seek(-20, CByteFile::COrigin::kCurrent), -1) << "no seek before the start";
  EXPECT_EQ(file.Position(), 10);
  EXPECT_FALSE(file.Write("x", 1)) << "opened for reading only";
}

TEST(ByteFileTest, SecondOpenOfAHeldFileFailsUntilTheFirstIsClosed) {
  CTempFolder folder;
  const std::string path = folder.Path("held.wav");
  auto first = std::make_unique<CByteFile>();
  ASSERT_TRUE(first->Open(path, CByteFile::CMode::kCreateWrite));
  ASSERT_TRUE(first->Write("abc", 3));

  CByteFile second;
  EXPECT_FALSE(second.Open(path, CByteFile::CMode::kRead));
  EXPECT_FALSE(second.Open(path, CByteFile::CMode::kCreateWrite));
  EXPECT_EQ(FileSize(path), 3u) << "a refused create must not truncate the held file";

  first.reset();  // destruction closes and releases
  EXPECT_TRUE(second.Open(path, CByteFile::CMode::kRead));
}

TEST(ByteFileTest, OnlyExistingRegularFilesOpenForReading) {
  CTempFolder folder;
  CByteFile file;
  EXPECT_FALSE(file.Open(folder.Path("missing.wav"), CByteFile::CMode::kRead));
  std::filesystem::create_directory(folder.Path("dir.wav"));
  EXPECT_FALSE(file.Open(folder.Path("dir.wav"), CByteFile::CMode::kRead));
  EXPECT_FALSE(file.Open(folder.Path("dir.wav"), CByteFile::CMode::kCreateWrite));
  ASSERT_EQ(::mkfifo(folder.Path("pipe.wav").c_str(), 0600), 0);
  EXPECT_FALSE(file.Open(folder.Path("pipe.wav"), CByteFile::CMode::kRead))
      << "refused at once, not left waiting for a writer";
  EXPECT_FALSE(file.Open(folder.Path("no/such/folder.wav"), CByteFile::CMode::kCreateWrite));
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(FileSize(folder.Path("missing.wav")), std::nullopt);
}

TEST(ByteFileTest, AClosedFileAnswersEveryCallWithFailure) {
  CByteFile file;
  char byte = 0;
  EXPECT_EQ(file.Read(&byte, 1), 0u);
  EXPECT_FALSE(file.Write(&byte, 1));
  EXPECT_EQ(file.Seek(0, CByteFile::COrigin::kBegin), -1);
  EXPECT_EQ(file.Position(), -1);
  EXPECT_EQ(file.Length(), -1);
}

}  // namespace
}  // namespace harkdeck
