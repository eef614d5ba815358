#include <cstdint>
#include <cstdio>

#include "files/byte_file.h"
#include "files/wave_header.h"
#include "fuzz/fuzz_file.h"

// Any file handed to the player: the header check must read safely and, for a
// file long enough, leave it at the start of the audio.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace harkdeck;
  const std::string path = fuzz::WriteInputFile(".wav", data, size);
  {
    CByteFile file;
    if (file.Open(path, CByteFile::CMode::kRead)) {
      CWaveFormat format;
      const bool passes = CheckWaveHeader(file, &format);
      if (passes && file.Position() != kWaveHeaderBytes) __builtin_trap();
      std::uint8_t block[kBlockBytes];
      while (file.Read(block, sizeof block) == sizeof block) {
      }
    }
  }
  std::remove(path.c_str());
  return 0;
}
