#include "platform/sim/wav_file_source.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "files/little_endian.h"
#include "recording/wave_format.h"

namespace harkdeck {

namespace {

std::uint32_t Le32(const std::uint8_t* p) { return GetLittleEndian<std::uint32_t>(p); }
std::uint16_t Le16(const std::uint8_t* p) { return GetLittleEndian<std::uint16_t>(p); }

struct CPcmLayout {
  std::uint16_t channels = 0;
  std::uint32_t rate = 0;
  std::uint16_t bits = 0;
};

// One sample of the frame as a value from -32768 to 32767, channels mixed.
int FrameValue(const std::uint8_t* frame, const CPcmLayout& layout) {
  int sum = 0;
  for (int c = 0; c < layout.channels; ++c) {
    if (layout.bits == 8) {
      sum += (frame[c] - 128) * 256;
    } else {
      sum += static_cast<std::int16_t>(Le16(frame + 2 * c));
    }
  }
  return sum / layout.channels;
}

}  // namespace

CWavFileSource::CWavFileSource(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0) {
    throw std::runtime_error(path + " is not a wave file");
  }
  CPcmLayout layout;
  const std::uint8_t* data = nullptr;
  std::size_t dataSize = 0;
  std::size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const std::uint8_t* chunk = bytes.data() + at;
    const std::size_t size = Le32(chunk + 4);
    const std::size_t available = std::min(size, bytes.size() - at - 8);
    if (std::memcmp(chunk, "fmt ", 4) == 0 && available >= 16) {
      if (Le16(chunk + 8) != 1) throw std::runtime_error(path + " is not PCM");
      layout.channels = Le16(chunk + 10);
      layout.rate = Le32(chunk + 12);
      layout.bits = Le16(chunk + 22);
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      data = chunk + 8;
      dataSize = available;
    }
    at += 8 + size + (size & 1);
  }
  if (data == nullptr || layout.rate == 0 || layout.channels == 0 ||
      (layout.bits != 8 && layout.bits != 16)) {
    throw std::runtime_error(path + ": only 8-bit or 16-bit PCM wave files can be played in");
  }
  const std::size_t frameBytes = static_cast<std::size_t>(layout.channels) * layout.bits / 8;
  const std::size_t frames = dataSize / frameBytes;
  const std::size_t outFrames =
      static_cast<std::size_t>(static_cast<double>(frames) * kBytesPerSecond / layout.rate);
  m_samples.resize(outFrames);
  for (std::size_t i = 0; i < outFrames; ++i) {
    const std::size_t source = std::min(frames - 1, i * layout.rate / kBytesPerSecond);
    const int value = FrameValue(data + source * frameBytes, layout);
    m_samples[i] = static_cast<std::uint8_t>(std::clamp(128 + value / 256, 0, 255));
  }
}

void CWavFileSource::Fill(std::uint8_t* block, std::uint32_t count) {
  const std::size_t left = m_samples.size() - m_position;
  const std::size_t take = std::min<std::size_t>(count, left);
  std::memcpy(block, m_samples.data() + m_position, take);
  std::memset(block + take, kSilence, count - take);
  m_position += take;
}

}  // namespace harkdeck
