#pragma once

#include <string>
#include <vector>

namespace harkdeck {

// The recordings folder under a home path, ending with a separator.
std::string RecordFolderFor(const std::string& homePath);

// The folders to examine, shortest first: the part before each separator
// after the first one.
std::vector<std::string> FolderLevels(const std::string& folder);

}  // namespace harkdeck
