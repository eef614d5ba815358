#include "files/wave_header.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "files/little_endian.h"
#include "tests/unit/temp_folder.h"

namespace harkdeck {
namespace {

using namespace std::string_literals;

std::string Uint32Bytes(std::uint32_t value) {
  unsigned char bytes[4];
  PutLittleEndian(value, bytes);
  return std::string(reinterpret_cast<char*>(bytes), 4);
}

// The header written out by hand, for comparing byte for byte.
std::string ExpectedHeader(std::uint32_t audioBytes) {
  return "RIFF"s + Uint32Bytes(audioBytes + 38) + "WAVEfmt " + Uint32Bytes(18) +
         "\x01\x00\x01\x00"s + Uint32Bytes(11025) + Uint32Bytes(11025) +
         "\x01\x00\x08\x00\x00\x00"s + "data" + Uint32Bytes(audioBytes);
}

// Writes a recording the way capture does: provisional header, blocks, then
// the header again from offset 0 with the real length.
void WriteRecording(const std::string& path, int blocks) {
  CByteFile file;
  ASSERT_TRUE(file.Open(path, CByteFile::CMode::kCreateWrite));
  ASSERT_TRUE(WriteWaveHeader(file, kProvisionalAudioBytes));
  const std::string block(kBlockBytes, static_cast<char>(kSilence));
  for (int i = 0; i < blocks; ++i) ASSERT_TRUE(file.Write(block.data(), block.size()));
  ASSERT_EQ(file.Seek(0, CByteFile::COrigin::kBegin), 0);
  ASSERT_TRUE(WriteWaveHeader(file, static_cast<std::uint32_t>(blocks * kBlockBytes)));
}

class WaveHeaderTest : public ::testing::Test {
 protected:
  bool Check(const std::string& bytes, std::int64_t* positionAfter = nullptr) {
    folder.WriteBytes("x.wav", bytes);
    CByteFile file;
    EXPECT_TRUE(file.Open(folder.Path("x.wav"), CByteFile::CMode::kRead));
    const bool passed = CheckWaveHeader(file);
    if (positionAfter != nullptr) *positionAfter = file.Position();
    return passed;
  }
  CTempFolder folder;
};

TEST_F(WaveHeaderTest, RecordingsOfZeroAndThreeBlocksAreByteExactWithNoPadByte) {
  WriteRecording(folder.Path("empty.wav"), 0);
  EXPECT_EQ(folder.ReadBytes("empty.wav"), ExpectedHeader(0));
  EXPECT_EQ(folder.ReadBytes("empty.wav").size(), 46u);

  WriteRecording(folder.Path("three.wav"), 3);
  const std::string three = folder.ReadBytes("three.wav");
  ASSERT_EQ(three.size(), 6661u);
  EXPECT_EQ(three.substr(0, 46), ExpectedHeader(6615));
  EXPECT_EQ(GetLittleEndian<std::uint32_t>(reinterpret_cast<const unsigned char*>(&three[4])),
            6653u);
  EXPECT_EQ(three.substr(46), std::string(6615, static_cast<char>(kSilence)));
}

TEST_F(WaveHeaderTest, ProvisionalHeaderDescribesTwentyFiveBlocks) {
  CByteFile file;
  ASSERT_TRUE(file.Open(folder.Path("p.wav"), CByteFile::CMode::kCreateWrite));
  ASSERT_TRUE(WriteWaveHeader(file, kProvisionalAudioBytes));
  file.Close();
  const std::string bytes = folder.ReadBytes("p.wav");
  EXPECT_EQ(bytes, ExpectedHeader(55125));
  EXPECT_EQ(bytes.substr(4, 4), Uint32Bytes(55163));
}

TEST_F(WaveHeaderTest, WrittenFilesPassAndLeaveTheFileAtTheAudio) {
  for (const std::uint32_t audio : {kProvisionalAudioBytes, 0u, 6615u, 0xFFFFFFFFu - 38}) {
    std::int64_t position = -1;
    EXPECT_TRUE(Check(ExpectedHeader(audio) + "\x80\x80", &position)) << audio;
    EXPECT_EQ(position, kWaveHeaderBytes) << audio;
  }
  WriteRecording(folder.Path("rec.wav"), 2);
  CByteFile file;
  ASSERT_TRUE(file.Open(folder.Path("rec.wav"), CByteFile::CMode::kRead));
  file.Seek(100, CByteFile::COrigin::kBegin);
  CWaveFormat format;
  format.channels = 0;
  EXPECT_TRUE(CheckWaveHeader(file, &format)) << "the check reads from offset 0 wherever it stands";
  EXPECT_EQ(file.Position(), 46);
  EXPECT_EQ(format.channels, 1);
  EXPECT_EQ(format.samplesPerSec, 11025u);
}

struct CHeaderCase {
  const char* what;
  std::size_t offset;
  std::string bytes;
  bool passes;
};

void PrintTo(const CHeaderCase& c, std::ostream* out) { *out << c.what; }

class WaveHeaderFieldTest : public WaveHeaderTest,
                            public ::testing::WithParamInterface<CHeaderCase> {};

TEST_P(WaveHeaderFieldTest, OneFieldChanged) {
  const CHeaderCase& c = GetParam();
  std::string header = ExpectedHeader(2205) + std::string(2205, '\x80');
  header.replace(c.offset, c.bytes.size(), c.bytes);
  std::int64_t position = -1;
  EXPECT_EQ(Check(header, &position), c.passes) << c.what;
  EXPECT_EQ(position, 46) << "every field is read even after a mismatch";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, WaveHeaderFieldTest,
    ::testing::Values(CHeaderCase{"riff size is ignored", 4, "\xff\xff\xff\xff", true},
                      CHeaderCase{"extra bytes non-zero", 36, "\x16\x00"s, true},
                      CHeaderCase{"audio length is ignored", 42, "\x00\x00\x00\x00"s, true},
                      CHeaderCase{"lower-case riff", 0, "riff", false},
                      CHeaderCase{"RIFX", 0, "RIFX", false},
                      CHeaderCase{"not WAVE", 8, "AVI ", false},
                      CHeaderCase{"fmt without blank", 12, "fmt\0"s, false},
                      CHeaderCase{"format length 16", 16, "\x10\x00\x00\x00"s, false},
                      CHeaderCase{"format tag 3", 20, "\x03\x00"s, false},
                      CHeaderCase{"stereo", 22, "\x02\x00"s, false},
                      CHeaderCase{"rate 22050", 24, Uint32Bytes(22050), false},
                      CHeaderCase{"average rate 22050", 28, Uint32Bytes(22050), false},
                      CHeaderCase{"alignment 2", 32, "\x02\x00"s, false},
                      CHeaderCase{"16 bits", 34, "\x10\x00"s, false},
                      CHeaderCase{"another chunk before data", 38, "LIST", false}));

TEST_F(WaveHeaderTest, ForeignAndShortFilesAreRefused) {
  // A common 44-byte header with a 16-byte format block, as other programs write.
  const std::string canonical = "RIFF"s + Uint32Bytes(36 + 8) + "WAVEfmt " + Uint32Bytes(16) +
                                "\x01\x00\x01\x00"s + Uint32Bytes(11025) + Uint32Bytes(11025) +
                                "\x01\x00\x08\x00"s + "data" + Uint32Bytes(8) + "\x80\x80\x80\x80";
  EXPECT_FALSE(Check(canonical + "\x80\x80\x80\x80"));
  EXPECT_FALSE(Check(""));
  EXPECT_FALSE(Check(ExpectedHeader(0).substr(0, 45)));
  EXPECT_FALSE(Check(ExpectedHeader(0).substr(0, 4)));
  std::int64_t position = -1;
  EXPECT_FALSE(Check("RIFF", &position));
  EXPECT_EQ(position, 4) << "a short file is read to its end, no further";
}

}  // namespace
}  // namespace harkdeck
