#include <cstdint>
#include <cstdio>

#include "files/byte_file.h"
#include "files/time_file.h"
#include "fuzz/fuzz_file.h"

// A time file of any length and content beside a wave file of a size taken
// from the input: the width choice and every record read must be safe.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace harkdeck;
  if (size < 8) return 0;
  std::uint64_t waveBytes = 0;
  for (int i = 0; i < 8; ++i) waveBytes = waveBytes << 8 | data[i];
  const std::string path = fuzz::WriteInputFile(".tim", data + 8, size - 8);
  {
    CByteFile file;
    if (file.Open(path, CByteFile::CMode::kRead)) {
      const int width = TimeRecordSizeFor(waveBytes, static_cast<std::uint64_t>(file.Length()));
      if (width != kLongTimeRecordBytes && width != kShortTimeRecordBytes) __builtin_trap();
      Time64 recorded = 0;
      for (std::int64_t at = 0; at <= file.Length(); at += width) {
        PeekTimeRecord(file, width, recorded);
        ReadTimeRecord(file, width, recorded);
      }
    }
  }
  std::remove(path.c_str());
  return 0;
}
