#pragma once

#include <cstdint>

#include "files/byte_file.h"
#include "platform/time_value.h"

namespace harkdeck {

inline constexpr int kLongTimeRecordBytes = 8;
inline constexpr int kShortTimeRecordBytes = 4;

// Record width of a time file from the sizes of the two files: a wave file
// more than 412 times the size of its time file (an empty time file beside a
// non-empty wave file included) has the older 4-byte records, any other 8-byte.
int TimeRecordSizeFor(std::uint64_t waveBytes, std::uint64_t timeBytes);

// Appends one 8-byte record. True only when all of it was written.
bool WriteTimeRecord(CByteFile& file, Time64 time);

// Reads the record at the file's position into recordedTime. Past the end of
// the file an 8-byte read leaves recordedTime alone and a 4-byte read sets it
// to 0; a record cut short counts as past the end.
void ReadTimeRecord(CByteFile& file, int recordSize, Time64& recordedTime);

// Reads the record at the file's position and puts the position back, so the
// next ReadTimeRecord reads the same record again.
void PeekTimeRecord(CByteFile& file, int recordSize, Time64& recordedTime);

// The wave file stands at 46 + k * 2205 exactly when the time file stands at
// k * recordSize; a move of some seconds keeps that by moving the two by these.
std::int64_t WaveBytesForSeconds(std::int64_t seconds);
std::int64_t TimeBytesForSeconds(std::int64_t seconds, int recordSize);

// Moves both files by the given seconds (negative: back) from where they stand.
// False when either seek failed.
bool SeekRecordingBySeconds(CByteFile& waveFile, CByteFile& timeFile, std::int64_t seconds,
                            int recordSize);

}  // namespace harkdeck
