#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>

namespace harkdeck::fuzz {

// The input written to a file of this process's own, for readers that take a
// path.
inline std::string WriteInputFile(const char* suffix, const std::uint8_t* data, std::size_t size) {
  const std::string path = "/tmp/harkdeck-fuzz-" + std::to_string(getpid()) + suffix;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace harkdeck::fuzz
