#include <cstdint>
#include <cstdio>

#include "fuzz/fuzz_file.h"
#include "platform/posix/settings_file.h"

// A settings file edited by hand or cut short: reading it must be safe and
// give only whole 32-bit values.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace harkdeck;
  const std::string path = fuzz::WriteInputFile(".conf", data, size);
  {
    CSettingsFile settings(path);
    bool existed = false;
    if (settings.OpenKey(&existed)) {
      settings.ReadInt("soundcard");
      settings.ReadInt("levelslider");
    }
  }
  std::remove(path.c_str());
  return 0;
}
