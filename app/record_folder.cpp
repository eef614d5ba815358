#include "app/record_folder.h"

namespace harkdeck {

std::string RecordFolderFor(const std::string& homePath) {
  std::string home = homePath;
  while (!home.empty() && home.back() == '/') home.pop_back();
  return home + "/Documents/Harkdeck/";
}

std::vector<std::string> FolderLevels(const std::string& folder) {
  std::vector<std::string> levels;
  auto at = folder.find('/');
  if (at == std::string::npos) return levels;
  while ((at = folder.find('/', at + 1)) != std::string::npos) levels.push_back(folder.substr(0, at));
  return levels;
}

}  // namespace harkdeck
