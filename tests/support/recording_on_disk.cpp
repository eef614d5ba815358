#include "tests/support/recording_on_disk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

#include "files/byte_file.h"
#include "files/little_endian.h"
#include "files/recording_names.h"
#include "files/wave_header.h"
#include "recording/wave_format.h"

namespace harkdeck::test {

namespace {

std::vector<std::uint8_t> Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

std::size_t CRecordingOnDisk::Blocks() const { return audio.size() / kBlockBytes; }

double CRecordingOnDisk::BlockRms(std::size_t block) const {
  double sum = 0;
  for (std::size_t i = 0; i < kBlockBytes; ++i) {
    const double d = audio[block * kBlockBytes + i] - 128.0;
    sum += d * d;
  }
  return std::sqrt(sum / kBlockBytes);
}

CRecordingOnDisk ReadRecording(const std::filesystem::path& wavePath) {
  CRecordingOnDisk recording;
  {
    CByteFile file;
    if (file.Open(wavePath.string(), CByteFile::CMode::kRead)) {
      recording.headerPasses = CheckWaveHeader(file);
    }
  }
  const std::vector<std::uint8_t> wave = Bytes(wavePath);
  recording.waveLength = wave.size();
  if (wave.size() >= kWaveHeaderBytes) {
    recording.riffSize = GetLittleEndian<std::uint32_t>(wave.data() + 4);
    recording.dataSize = GetLittleEndian<std::uint32_t>(wave.data() + 42);
    recording.audio.assign(wave.begin() + kWaveHeaderBytes, wave.end());
  }
  const std::vector<std::uint8_t> time = Bytes(TimeFilePathFor(wavePath.string()));
  for (std::size_t at = 0; at + 8 <= time.size(); at += 8) {
    recording.times.push_back(GetLittleEndian<std::int64_t>(time.data() + at));
  }
  EXPECT_EQ(time.size() % 8, 0u) << "time file holds a part record";
  return recording;
}

std::vector<std::filesystem::path> WaveFilesIn(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().extension() == ".wav") found.push_back(entry.path());
  }
  std::sort(found.begin(), found.end());
  return found;
}

void ExpectFinalAndConsistent(const CRecordingOnDisk& recording) {
  EXPECT_TRUE(recording.headerPasses);
  EXPECT_EQ(recording.dataSize, recording.waveLength - kWaveHeaderBytes) << "header not final";
  EXPECT_EQ(recording.riffSize, recording.waveLength - 8);
  EXPECT_EQ(recording.audio.size() % kBlockBytes, 0u) << "a block cut short";
  EXPECT_EQ(recording.Blocks(), recording.times.size()) << "one time record per block";
  EXPECT_TRUE(std::is_sorted(recording.times.begin(), recording.times.end()));
}

}  // namespace harkdeck::test
