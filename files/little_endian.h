#pragma once

#include <cstddef>
#include <cstdint>

namespace harkdeck {

// Recording files are little-endian whatever the host is, so integers go
// through these byte by byte.
template <typename T>
void PutLittleEndian(T value, unsigned char* out) {
  auto bits = static_cast<std::uint64_t>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    out[i] = static_cast<unsigned char>(bits & 0xFF);
    bits >>= 8;
  }
}

template <typename T>
T GetLittleEndian(const unsigned char* in) {
  std::uint64_t bits = 0;
  for (std::size_t i = sizeof(T); i > 0; --i) bits = (bits << 8) | in[i - 1];
  return static_cast<T>(bits);
}

}  // namespace harkdeck
