#include "tests/support/pcm_wave.h"

#include <fstream>

namespace harkdeck::test {

void WritePcmWave(const std::filesystem::path& path, const std::vector<std::uint8_t>& data,
                  std::uint32_t rate, std::uint16_t bits) {
  std::ofstream out(path, std::ios::binary);
  auto le = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.put(static_cast<char>(value >> (8 * i) & 0xFF));
  };
  const auto size = static_cast<std::uint32_t>(data.size());
  const std::uint32_t frameBytes = bits / 8u;
  out.write("RIFF", 4);
  le(36 + size, 4);
  out.write("WAVEfmt ", 8);
  le(16, 4);
  le(1, 2);
  le(1, 2);
  le(rate, 4);
  le(rate * frameBytes, 4);
  le(frameBytes, 2);
  le(bits, 2);
  out.write("data", 4);
  le(size, 4);
  out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(size));
}

}  // namespace harkdeck::test
