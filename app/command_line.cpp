#include "app/command_line.h"

#include <algorithm>

namespace harkdeck {

std::optional<std::string> ScriptNameFromCommandLine(const std::string& commandLine) {
  const auto at = commandLine.find("/script");
  if (at == std::string::npos) return std::nullopt;
  std::string name = at + 8 <= commandLine.size() ? commandLine.substr(at + 8) : std::string();
  name.erase(std::remove(name.begin(), name.end(), '"'), name.end());
  return name;
}

}  // namespace harkdeck
