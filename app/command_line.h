#pragma once

#include <optional>
#include <string>

namespace harkdeck {

// The script named after "/script" on the command line: one character after
// the option is skipped, the rest of the line is the name, quotes removed.
std::optional<std::string> ScriptNameFromCommandLine(const std::string& commandLine);

}  // namespace harkdeck
