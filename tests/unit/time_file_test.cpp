#include "files/time_file.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>
#include <string>

#include "files/little_endian.h"
#include "files/wave_header.h"
#include "tests/unit/temp_folder.h"

namespace harkdeck {
namespace {

std::string Int32Bytes(std::int32_t value) {
  unsigned char bytes[4];
  PutLittleEndian(value, bytes);
  return std::string(reinterpret_cast<char*>(bytes), 4);
}

struct CWidthCase {
  std::uint64_t waveBytes;
  std::uint64_t timeBytes;
  int recordSize;
};

void PrintTo(const CWidthCase& c, std::ostream* out) {
  *out << c.waveBytes << " / " << c.timeBytes;
}

class TimeRecordWidthTest : public ::testing::TestWithParam<CWidthCase> {};

TEST_P(TimeRecordWidthTest, ChosenFromTheSizeQuotient) {
  const CWidthCase& c = GetParam();
  EXPECT_EQ(TimeRecordSizeFor(c.waveBytes, c.timeBytes), c.recordSize)
      << c.waveBytes << " / " << c.timeBytes;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TimeRecordWidthTest,
    ::testing::Values(CWidthCase{46 + 2205, 8, 8},  // one block, 8-byte records
                      CWidthCase{46 + 2205, 4, 4},  // one block, 4-byte records
                      CWidthCase{46 + 2205 * 1000, 8000, 8}, CWidthCase{46 + 2205 * 1000, 4000, 4},
                      CWidthCase{4120, 10, 8},  // exactly 412 is the 8-byte form
                      CWidthCase{4121, 10, 4},  // just above it
                      CWidthCase{46, 0, 4},     // empty time file: infinite quotient
                      CWidthCase{0, 0, 8},      // nothing to go by
                      CWidthCase{0, 8, 8}, CWidthCase{46, 8, 8},
                      CWidthCase{std::numeric_limits<std::uint64_t>::max(), 1, 4}));

class TimeFileTest : public ::testing::Test {
 protected:
  CTempFolder folder;
  CByteFile file;
};

TEST_F(TimeFileTest, WrittenRecordsReadBackInOrderAsEightByteLittleEndian) {
  ASSERT_TRUE(file.Open(folder.Path("a.tim"), CByteFile::CMode::kCreateWrite));
  const Time64 values[] = {1714550400, 1714550400, -1, 32535244799, 0x0102030405060708};
  for (const Time64 value : values) ASSERT_TRUE(WriteTimeRecord(file, value));
  file.Close();
  const std::string bytes = folder.ReadBytes("a.tim");
  ASSERT_EQ(bytes.size(), 40u);
  EXPECT_EQ(bytes.substr(32), "\x08\x07\x06\x05\x04\x03\x02\x01");

  ASSERT_TRUE(file.Open(folder.Path("a.tim"), CByteFile::CMode::kRead));
  for (const Time64 value : values) {
    Time64 read = 7;
    ReadTimeRecord(file, 8, read);
    EXPECT_EQ(read, value);
  }
}

TEST_F(TimeFileTest, FourByteRecordsAreWidenedWithTheirSign) {
  folder.WriteBytes("old.tim", Int32Bytes(1000000000) + Int32Bytes(-5) +
                                   Int32Bytes(std::numeric_limits<std::int32_t>::min()) +
                                   Int32Bytes(std::numeric_limits<std::int32_t>::max()));
  ASSERT_TRUE(file.Open(folder.Path("old.tim"), CByteFile::CMode::kRead));
  for (const Time64 expected :
       {Time64{1000000000}, Time64{-5}, Time64{-2147483648LL}, Time64{2147483647}}) {
    Time64 read = 7;
    ReadTimeRecord(file, 4, read);
    EXPECT_EQ(read, expected);
  }
}

struct CShortReadCase {
  int recordSize;
  std::string bytes;  // what is left in the file
  Time64 expected;    // with 99 in the recorded time before the read
};

void PrintTo(const CShortReadCase& c, std::ostream* out) {
  *out << c.bytes.size() << " bytes left, " << c.recordSize << "-byte records";
}

class TimeFileShortReadTest : public TimeFileTest,
                              public ::testing::WithParamInterface<CShortReadCase> {};

TEST_P(TimeFileShortReadTest, PastTheEnd) {
  const CShortReadCase& c = GetParam();
  folder.WriteBytes("s.tim", c.bytes);
  ASSERT_TRUE(file.Open(folder.Path("s.tim"), CByteFile::CMode::kRead));
  Time64 recorded = 99;
  ReadTimeRecord(file, c.recordSize, recorded);
  EXPECT_EQ(recorded, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, TimeFileShortReadTest,
                         ::testing::Values(CShortReadCase{8, "", 99},  // unchanged
                                           CShortReadCase{8, "\x01\x02\x03",
                                                          99},  // a cut record is not half-read
                                           CShortReadCase{4, "", 0},  // set to 0
                                           CShortReadCase{4, "\xff\xff\xff", 0}));

TEST_F(TimeFileTest, PeekReadsTheRecordAndLeavesThePositionForTheNextRead) {
  ASSERT_TRUE(file.Open(folder.Path("p.tim"), CByteFile::CMode::kCreateWrite));
  for (Time64 t = 100; t < 110; ++t) WriteTimeRecord(file, t);
  file.Seek(3 * 8, CByteFile::COrigin::kBegin);
  Time64 recorded = 0;
  PeekTimeRecord(file, 8, recorded);
  EXPECT_EQ(recorded, 103);
  EXPECT_EQ(file.Position(), 24);
  ReadTimeRecord(file, 8, recorded);
  EXPECT_EQ(recorded, 103);
}

// After priming, and after any number of refills and skips, the wave file
// stands at 46 + k * 2205 exactly when the time file stands at k records.
TEST_F(TimeFileTest, SkipsKeepTheTwoFilesInStep) {
  CByteFile wave;
  ASSERT_TRUE(wave.Open(folder.Path("r.wav"), CByteFile::CMode::kCreateWrite));
  ASSERT_TRUE(file.Open(folder.Path("r.tim"), CByteFile::CMode::kCreateWrite));
  const int blocks = 60;
  ASSERT_TRUE(WriteWaveHeader(wave, blocks * kBlockBytes));
  const std::string block(kBlockBytes, static_cast<char>(kSilence));
  for (int k = 0; k < blocks; ++k) {
    wave.Write(block.data(), block.size());
    WriteTimeRecord(file, 5000 + k);
  }
  for (const int recordSize : {8, 4}) {
    wave.Seek(kWaveHeaderBytes + 4 * kBlockBytes, CByteFile::COrigin::kBegin);
    file.Seek(4 * recordSize, CByteFile::COrigin::kBegin);
    for (const std::int64_t seconds : {4, -2, 1, 3, -5}) {
      ASSERT_TRUE(SeekRecordingBySeconds(wave, file, seconds, recordSize));
      const std::int64_t record = file.Position() / recordSize;
      EXPECT_EQ(file.Position() % recordSize, 0);
      EXPECT_EQ(wave.Position(), kWaveHeaderBytes + record * kBlockBytes) << recordSize;
    }
    EXPECT_EQ(file.Position(), (4 + 5) * recordSize);
  }
  EXPECT_EQ(WaveBytesForSeconds(4), 44100);
  EXPECT_EQ(TimeBytesForSeconds(-4, 8), -160);
  EXPECT_EQ(TimeBytesForSeconds(4, 4), 80);
}

TEST_F(TimeFileTest, SeekingWithoutAnOpenTimeFileReportsFailure) {
  CByteFile wave;
  ASSERT_TRUE(wave.Open(folder.Path("w.wav"), CByteFile::CMode::kCreateWrite));
  EXPECT_FALSE(SeekRecordingBySeconds(wave, file, 1, 8));
}

}  // namespace
}  // namespace harkdeck
