#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "files/byte_file.h"
#include "platform/time_value.h"
#include "recording/wave_format.h"

namespace harkdeck {

// The largest audio length whose RIFF size still fits 32 bits.
inline constexpr std::int64_t kMostAudioBytes = 0xFFFFFFFFLL - 38;

enum class CTimeFileNeed { kRequired, kOptional };

// A recording as the tool sees it: the wave file, checked to be one of ours,
// and its time file, with the sizes that say how much of each is usable.
struct CRecording {
  std::string wavePath;
  std::string timePath;
  CByteFile wave;
  CByteFile time;
  bool hasTimeFile = false;

  std::uint32_t riffSize = 0;
  std::uint32_t audioBytesField = 0;
  CWaveFormat format;
  std::int64_t waveBytes = 0;
  std::int64_t timeBytes = 0;
  int recordSize = 8;

  std::int64_t AudioBytes() const { return waveBytes - 46; }
  // Whole blocks; a partial last block is left out of everything but repair.
  std::int64_t Blocks() const { return AudioBytes() / kBlockBytes; }
  std::int64_t PartialBlockBytes() const { return AudioBytes() % kBlockBytes; }
  std::int64_t Records() const { return hasTimeFile ? timeBytes / recordSize : 0; }
  // Blocks that have a time record: the only ones whose time is known.
  std::int64_t DatedBlocks() const;
};

// Opens the wave file and the time file (timePath, or the one named after
// the wave file when empty) and checks the header. False, with a message that
// names the file and what is wrong with it, when the wave file is not a
// recording of ours or a file cannot be opened; a missing time file is an
// error only when it is required.
bool OpenRecording(const std::string& wavePath, const std::string& timePath, CByteFile::CMode mode,
                   CTimeFileNeed need, CRecording& recording, std::string& error);

// Why a 46-byte header read from a file of fileBytes bytes is not ours.
std::string DescribeForeignHeader(const unsigned char* header, std::int64_t fileBytes);

// What is amiss but still lets the recording be read: a partial last block,
// blocks without a time record, records past the last block.
std::vector<std::string> RecordingWarnings(const CRecording& recording);

// A time record is a date-time when it lies in the range the local-time
// breakdown handles.
bool IsDateTime(Time64 t);

// Reads the time records of the dated blocks in order through a buffer of
// fixed size, from the file's start.
class CTimeRecordReader {
 public:
  explicit CTimeRecordReader(CRecording& recording);

  // False after the last dated block or when a read fails.
  bool Next(Time64& time);
  bool Failed() const { return m_failed; }
  // The block whose record Next returned last.
  std::int64_t Block() const { return m_next - 1; }

 private:
  CByteFile& m_file;
  int m_recordSize;
  std::int64_t m_count;
  std::int64_t m_next = 0;
  std::vector<unsigned char> m_buffer;
  std::size_t m_used = 0;
  std::size_t m_filled = 0;
  bool m_failed = false;
};

}  // namespace harkdeck
