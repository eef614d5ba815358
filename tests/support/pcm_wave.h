#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace harkdeck::test {

// A plain 44-byte-header mono PCM wave file, as other programs write them,
// to feed the program through its wave-file input. `data` holds the samples
// as they go into the file (16-bit ones little-endian).
void WritePcmWave(const std::filesystem::path& path, const std::vector<std::uint8_t>& data,
                  std::uint32_t rate, std::uint16_t bits);

}  // namespace harkdeck::test
