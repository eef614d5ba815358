#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "files/byte_file.h"
#include "files/little_endian.h"
#include "files/time_file.h"
#include "files/wave_header.h"
#include "platform/time_value.h"
#include "recording/wave_format.h"

namespace harkdeck {

// Block k of a built recording carries k in its first four bytes, so a copy
// can be traced back to the blocks it was made from.
inline std::string BlockAudio(std::int64_t k) {
  std::string block(kBlockBytes, static_cast<char>(kSilence + 1 + k % 100));
  PutLittleEndian(static_cast<std::uint32_t>(k), reinterpret_cast<unsigned char*>(block.data()));
  return block;
}

// The block numbers of a wave file's audio, read back from their first bytes.
inline std::vector<std::int64_t> BlockNumbersIn(const std::string& waveBytes) {
  std::vector<std::int64_t> numbers;
  for (std::size_t at = kWaveHeaderBytes; at + kBlockBytes <= waveBytes.size(); at += kBlockBytes) {
    numbers.push_back(GetLittleEndian<std::uint32_t>(
        reinterpret_cast<const unsigned char*>(waveBytes.data() + at)));
  }
  return numbers;
}

inline std::vector<Time64> RecordsIn(const std::string& timeBytes, int recordSize = 8) {
  std::vector<Time64> records;
  for (std::size_t at = 0; at + recordSize <= timeBytes.size(); at += recordSize) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(timeBytes.data() + at);
    records.push_back(recordSize == 4 ? GetLittleEndian<std::int32_t>(bytes)
                                      : GetLittleEndian<Time64>(bytes));
  }
  return records;
}

// The time stamps of a run of blocks as the tick writes them: five a second
// from start.
inline std::vector<Time64> Stamps(Time64 start, int blocks) {
  std::vector<Time64> stamps;
  for (int i = 0; i < blocks; ++i) stamps.push_back(start + i / kBlocksPerSecond);
  return stamps;
}

inline std::vector<Time64> Joined(std::initializer_list<std::vector<Time64>> runs) {
  std::vector<Time64> all;
  for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
  return all;
}

struct CBuildOptions {
  // A recording that never ended keeps the provisional sizes.
  bool killed = false;
  // Bytes of a block cut short by the kill, after the last whole block.
  int partialBytes = 0;
  int recordSize = kLongTimeRecordBytes;
  // Records left off the end of the time file (negative: extra ones added).
  int missingRecords = 0;
};

// Writes a recording the way capture does: a provisional header, each block
// followed by its record, and the final header unless it was killed.
inline void BuildRecording(const std::string& wavePath, const std::string& timePath,
                           const std::vector<Time64>& stamps, const CBuildOptions& options = {}) {
  CByteFile wave;
  CByteFile time;
  ASSERT_TRUE(wave.Open(wavePath, CByteFile::CMode::kCreateWrite));
  ASSERT_TRUE(time.Open(timePath, CByteFile::CMode::kCreateWrite));
  ASSERT_TRUE(WriteWaveHeader(wave, kProvisionalAudioBytes));
  const std::size_t kept = stamps.size() - std::max(options.missingRecords, 0);
  for (std::size_t k = 0; k < stamps.size(); ++k) {
    const std::string block = BlockAudio(static_cast<std::int64_t>(k));
    ASSERT_TRUE(wave.Write(block.data(), block.size()));
    if (k >= kept) continue;
    unsigned char record[8];
    PutLittleEndian(stamps[k], record);
    ASSERT_TRUE(time.Write(record, options.recordSize));
  }
  for (int extra = 0; extra < -options.missingRecords; ++extra) {
    unsigned char record[8];
    PutLittleEndian(stamps.back(), record);
    ASSERT_TRUE(time.Write(record, options.recordSize));
  }
  if (options.partialBytes > 0) {
    const std::string part = BlockAudio(static_cast<std::int64_t>(stamps.size()));
    ASSERT_TRUE(wave.Write(part.data(), options.partialBytes));
  }
  if (!options.killed) {
    ASSERT_EQ(wave.Seek(0, CByteFile::COrigin::kBegin), 0);
    ASSERT_TRUE(WriteWaveHeader(wave, static_cast<std::uint32_t>(stamps.size() * kBlockBytes)));
  }
}

}  // namespace harkdeck
