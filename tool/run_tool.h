#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace harkdeck {

inline constexpr int kToolDone = 0;
inline constexpr int kToolInputFault = 1;
inline constexpr int kToolUsageFault = 2;

// Runs one command line (without the program's name) and returns the exit
// status; results go to out, messages to err.
int RunTool(const std::vector<std::string>& arguments, const std::string& version,
            std::ostream& out, std::ostream& err);

}  // namespace harkdeck
