#include "files/time_file.h"

#include "files/little_endian.h"
#include "recording/wave_format.h"

namespace harkdeck {

int TimeRecordSizeFor(std::uint64_t waveBytes, std::uint64_t timeBytes) {
  // The quotients expected are at most about 281 for 8-byte records and at
  // least about 551 for 4-byte ones. An empty time file divides to infinity
  // (4-byte form), or to nothing beside an empty wave file (8-byte form).
  if (timeBytes == 0) return waveBytes > 0 ? kShortTimeRecordBytes : kLongTimeRecordBytes;
  const double quotient = static_cast<double>(waveBytes) / static_cast<double>(timeBytes);
  return quotient > 412.0 ? kShortTimeRecordBytes : kLongTimeRecordBytes;
}

bool WriteTimeRecord(CByteFile& file, Time64 time) {
  unsigned char bytes[kLongTimeRecordBytes];
  PutLittleEndian(time, bytes);
  return file.Write(bytes, sizeof bytes);
}

void ReadTimeRecord(CByteFile& file, int recordSize, Time64& recordedTime) {
  if (recordSize == kShortTimeRecordBytes) {
    unsigned char bytes[kShortTimeRecordBytes] = {};
    const bool whole = file.Read(bytes, sizeof bytes) == sizeof bytes;
    recordedTime = whole ? GetLittleEndian<std::int32_t>(bytes) : 0;
    return;
  }
  unsigned char bytes[kLongTimeRecordBytes];
  if (file.Read(bytes, sizeof bytes) == sizeof bytes) {
    recordedTime = GetLittleEndian<Time64>(bytes);
  }
}

void PeekTimeRecord(CByteFile& file, int recordSize, Time64& recordedTime) {
  const std::int64_t position = file.Position();
  ReadTimeRecord(file, recordSize, recordedTime);
  file.Seek(position, CByteFile::COrigin::kBegin);
}

std::int64_t WaveBytesForSeconds(std::int64_t seconds) { return seconds * kBytesPerSecond; }

std::int64_t TimeBytesForSeconds(std::int64_t seconds, int recordSize) {
  return seconds * kBlocksPerSecond * recordSize;
}

bool SeekRecordingBySeconds(CByteFile& waveFile, CByteFile& timeFile, std::int64_t seconds,
                            int recordSize) {
  const bool waveMoved =
      waveFile.Seek(WaveBytesForSeconds(seconds), CByteFile::COrigin::kCurrent) >= 0;
  const bool timeMoved =
      timeFile.Seek(TimeBytesForSeconds(seconds, recordSize), CByteFile::COrigin::kCurrent) >= 0;
  return waveMoved && timeMoved;
}

}  // namespace harkdeck
