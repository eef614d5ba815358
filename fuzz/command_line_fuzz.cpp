#include <cstdint>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/command_options.h"

// Arguments as the shell passes them: the input split at NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace harkdeck;
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      arguments.emplace_back();
    } else {
      arguments.back() += static_cast<char>(data[i]);
    }
  }
  const CCommandOptions options = ParseCommandOptions(arguments);
  ScriptNameFromCommandLine(options.commandLine);
  return 0;
}
