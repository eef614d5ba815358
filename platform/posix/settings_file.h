#pragma once

#include <map>
#include <string>

#include "platform/settings_store.h"

namespace harkdeck {

// The settings key as a small text file of name=value lines. Writes go to a
// new file that replaces the old one, so the file is never half-written.
class CSettingsFile final : public ISettingsStore {
 public:
  explicit CSettingsFile(std::string path);

  // $XDG_CONFIG_HOME/Ollirum/Harkdeck/1.5.conf
  static std::string DefaultPath();

  bool OpenKey(bool* existedBefore) override;
  std::optional<std::int32_t> ReadInt(const std::string& name) override;
  void WriteInt(const std::string& name, std::int32_t value) override;
  bool CloseKey() override;

 private:
  std::string m_path;
  std::map<std::string, std::string> m_values;
  bool m_dirty = false;
};

}  // namespace harkdeck
