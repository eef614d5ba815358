#include "tool/recording.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "control/datetime_text.h"
#include "files/little_endian.h"
#include "files/recording_names.h"
#include "files/time_file.h"
#include "files/wave_header.h"

namespace harkdeck {

namespace {

constexpr std::size_t kRecordsPerRead = 8192;

bool OpenExisting(const std::string& path, CByteFile::CMode mode, CByteFile& file,
                  std::string& error) {
  std::error_code code;
  const auto status = std::filesystem::status(path, code);
  if (!std::filesystem::exists(status)) {
    error = path + ": no such file.";
    return false;
  }
  if (!std::filesystem::is_regular_file(status)) {
    error = path + " is not a regular file.";
    return false;
  }
  if (!file.Open(path, mode)) {
    error = path + " cannot be opened: it is in use (a recording still running?) or not " +
            (mode == CByteFile::CMode::kRead ? "readable." : "writable.");
    return false;
  }
  return true;
}

std::string FormatText(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                       std::uint16_t bits) {
  return "format tag " + std::to_string(tag) + ", " + std::to_string(channels) + " channel(s), " +
         std::to_string(rate) + " Hz, " + std::to_string(bits) + " bits";
}

}  // namespace

std::int64_t CRecording::DatedBlocks() const { return std::min(Blocks(), Records()); }

bool IsDateTime(Time64 t) { return t >= 0 && t <= kLatestLocalTime; }

std::string DescribeForeignHeader(const unsigned char* header, std::int64_t fileBytes) {
  if (fileBytes < 46) {
    return "it is " + std::to_string(fileBytes) + " bytes long, too short for a wave header";
  }
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) {
    return "it is not a RIFF/WAVE file";
  }
  if (std::memcmp(header + 12, "fmt ", 4) != 0) return "its first chunk is not a format chunk";
  const auto formatLength = GetLittleEndian<std::uint32_t>(header + 16);
  if (formatLength != 18) {
    return "its format chunk is " + std::to_string(formatLength) +
           " bytes long, not 18 (a wave file from another program)";
  }
  const CWaveFormat ours;
  const auto tag = GetLittleEndian<std::uint16_t>(header + 20);
  const auto channels = GetLittleEndian<std::uint16_t>(header + 22);
  const auto rate = GetLittleEndian<std::uint32_t>(header + 24);
  const auto average = GetLittleEndian<std::uint32_t>(header + 28);
  const auto align = GetLittleEndian<std::uint16_t>(header + 32);
  const auto bits = GetLittleEndian<std::uint16_t>(header + 34);
  if (tag != ours.formatTag || channels != ours.channels || rate != ours.samplesPerSec ||
      average != ours.avgBytesPerSec || align != ours.blockAlign || bits != ours.bitsPerSample) {
    return "its audio is " + FormatText(tag, channels, rate, bits) + " (" +
           std::to_string(average) + " bytes/s, alignment " + std::to_string(align) + "), not " +
           FormatText(ours.formatTag, ours.channels, ours.samplesPerSec, ours.bitsPerSample);
  }
  return "its audio does not follow the format chunk directly";
}

bool OpenRecording(const std::string& wavePath, const std::string& timePath, CByteFile::CMode mode,
                   CTimeFileNeed need, CRecording& recording, std::string& error) {
  recording.wavePath = wavePath;
  if (!OpenExisting(wavePath, mode, recording.wave, error)) return false;
  recording.waveBytes = recording.wave.Length();
  if (!CheckWaveHeader(recording.wave, &recording.format)) {
    unsigned char header[46] = {};
    recording.wave.Seek(0, CByteFile::COrigin::kBegin);
    recording.wave.Read(header, sizeof header);
    error = wavePath +
            " is not a Harkdeck recording: " + DescribeForeignHeader(header, recording.waveBytes) +
            ".";
    return false;
  }
  unsigned char size[4];
  recording.wave.Seek(4, CByteFile::COrigin::kBegin);
  recording.wave.Read(size, sizeof size);
  recording.riffSize = GetLittleEndian<std::uint32_t>(size);
  recording.wave.Seek(42, CByteFile::COrigin::kBegin);
  recording.wave.Read(size, sizeof size);
  recording.audioBytesField = GetLittleEndian<std::uint32_t>(size);

  recording.timePath = timePath.empty() ? TimeFilePathFor(wavePath) : timePath;
  if (recording.timePath == wavePath) {
    error = "The time file of " + wavePath +
            " cannot be named: its path holds no lower-case \"wav\". Name it with --time FILE.";
    return false;
  }
  std::error_code code;
  if (need == CTimeFileNeed::kOptional && !std::filesystem::exists(recording.timePath, code)) {
    recording.hasTimeFile = false;
    return true;
  }
  if (!OpenExisting(recording.timePath, mode, recording.time, error)) return false;
  recording.hasTimeFile = true;
  recording.timeBytes = recording.time.Length();
  recording.recordSize = TimeRecordSizeFor(static_cast<std::uint64_t>(recording.waveBytes),
                                           static_cast<std::uint64_t>(recording.timeBytes));
  return true;
}

std::vector<std::string> RecordingWarnings(const CRecording& recording) {
  std::vector<std::string> warnings;
  if (recording.PartialBlockBytes() != 0) {
    warnings.push_back(recording.wavePath + " ends in a partial block of " +
                       std::to_string(recording.PartialBlockBytes()) +
                       " bytes, left out here; repair cuts it.");
  }
  if (!recording.hasTimeFile) return warnings;
  const std::int64_t undated = recording.Blocks() - recording.DatedBlocks();
  if (undated > 0) {
    warnings.push_back(std::to_string(undated) + " of " + std::to_string(recording.Blocks()) +
                       " blocks have no time record in " + recording.timePath +
                       " and are left out.");
  }
  const std::int64_t extra = recording.Records() - recording.DatedBlocks();
  if (extra > 0) {
    warnings.push_back(recording.timePath + " holds " + std::to_string(extra) +
                       " time records past the last block; repair drops them.");
  }
  return warnings;
}

CTimeRecordReader::CTimeRecordReader(CRecording& recording)
    : m_file(recording.time),
      m_recordSize(recording.recordSize),
      m_count(recording.DatedBlocks()),
      m_buffer(kRecordsPerRead * static_cast<std::size_t>(recording.recordSize)) {
  if (m_count > 0 && m_file.Seek(0, CByteFile::COrigin::kBegin) != 0) m_failed = true;
}

bool CTimeRecordReader::Next(Time64& time) {
  if (m_failed || m_next >= m_count) return false;
  if (m_used == m_filled) {
    const auto left = static_cast<std::size_t>(m_count - m_next) * m_recordSize;
    const std::size_t wanted = std::min(left, m_buffer.size());
    m_filled = m_file.Read(m_buffer.data(), wanted);
    m_used = 0;
    if (m_filled < static_cast<std::size_t>(m_recordSize)) {
      m_failed = true;
      return false;
    }
    m_filled -= m_filled % m_recordSize;
  }
  const unsigned char* record = m_buffer.data() + m_used;
  time =
      m_recordSize == 4 ? GetLittleEndian<std::int32_t>(record) : GetLittleEndian<Time64>(record);
  m_used += m_recordSize;
  ++m_next;
  return true;
}

}  // namespace harkdeck
