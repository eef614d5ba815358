#include "files/wave_header.h"

#include <cstring>

#include "files/little_endian.h"

namespace harkdeck {

namespace {

constexpr std::uint32_t kFormatBlockBytes = 18;

bool WriteUint32(CByteFile& file, std::uint32_t value) {
  unsigned char bytes[4];
  PutLittleEndian(value, bytes);
  return file.Write(bytes, sizeof bytes);
}

bool WriteTag(CByteFile& file, const char* tag) { return file.Write(tag, 4); }

void PutFormatRecord(const CWaveFormat& format, unsigned char* out) {
  PutLittleEndian(format.formatTag, out);
  PutLittleEndian(format.channels, out + 2);
  PutLittleEndian(format.samplesPerSec, out + 4);
  PutLittleEndian(format.avgBytesPerSec, out + 8);
  PutLittleEndian(format.blockAlign, out + 12);
  PutLittleEndian(format.bitsPerSample, out + 14);
  PutLittleEndian(format.extraSize, out + 16);
}

CWaveFormat GetFormatRecord(const unsigned char* in) {
  CWaveFormat format;
  format.formatTag = GetLittleEndian<std::uint16_t>(in);
  format.channels = GetLittleEndian<std::uint16_t>(in + 2);
  format.samplesPerSec = GetLittleEndian<std::uint32_t>(in + 4);
  format.avgBytesPerSec = GetLittleEndian<std::uint32_t>(in + 8);
  format.blockAlign = GetLittleEndian<std::uint16_t>(in + 12);
  format.bitsPerSample = GetLittleEndian<std::uint16_t>(in + 14);
  format.extraSize = GetLittleEndian<std::uint16_t>(in + 16);
  return format;
}

// Reads the header field by field. A field the file is too short for stays
// zero and so fails its comparison; bytesRead tells a file cut short.
class CHeaderReader {
 public:
  explicit CHeaderReader(CByteFile& file) : m_file(file) {}

  void Read(unsigned char* field, std::size_t size) { m_bytesRead += m_file.Read(field, size); }
  std::int64_t BytesRead() const { return static_cast<std::int64_t>(m_bytesRead); }

 private:
  CByteFile& m_file;
  std::size_t m_bytesRead = 0;
};

struct CField {
  unsigned char bytes[4] = {};
};

bool IsTag(const CField& field, const char* tag) { return std::memcmp(field.bytes, tag, 4) == 0; }

}  // namespace

bool WriteWaveHeader(CByteFile& file, std::uint32_t audioBytes) {
  unsigned char format[kFormatBlockBytes];
  PutFormatRecord(CWaveFormat{}, format);
  return WriteTag(file, "RIFF") && WriteUint32(file, audioBytes + kRiffSizeOverAudio) &&
         WriteTag(file, "WAVE") && WriteTag(file, "fmt ") && WriteUint32(file, kFormatBlockBytes) &&
         file.Write(format, sizeof format) && WriteTag(file, "data") &&
         WriteUint32(file, audioBytes);
}

bool CheckWaveHeader(CByteFile& file, CWaveFormat* formatRead) {
  file.Seek(0, CByteFile::COrigin::kBegin);
  CHeaderReader reader(file);
  CField riff, riffSize, wave, fmt, formatLength, data, audioLength;
  unsigned char formatBytes[kFormatBlockBytes] = {};
  reader.Read(riff.bytes, 4);
  reader.Read(riffSize.bytes, 4);
  reader.Read(wave.bytes, 4);
  reader.Read(fmt.bytes, 4);
  reader.Read(formatLength.bytes, 4);
  reader.Read(formatBytes, sizeof formatBytes);
  reader.Read(data.bytes, 4);
  reader.Read(audioLength.bytes, 4);

  const CWaveFormat format = GetFormatRecord(formatBytes);
  if (formatRead != nullptr) *formatRead = format;
  const CWaveFormat ours;
  // The sizes are never checked, but a file too short to hold them is no
  // recording of ours.
  return reader.BytesRead() == kWaveHeaderBytes && IsTag(riff, "RIFF") && IsTag(wave, "WAVE") &&
         IsTag(fmt, "fmt ") &&
         GetLittleEndian<std::uint32_t>(formatLength.bytes) == kFormatBlockBytes &&
         format.formatTag == ours.formatTag && format.channels == ours.channels &&
         format.samplesPerSec == ours.samplesPerSec &&
         format.avgBytesPerSec == ours.avgBytesPerSec && format.blockAlign == ours.blockAlign &&
         format.bitsPerSample == ours.bitsPerSample && IsTag(data, "data");
}

}  // namespace harkdeck
