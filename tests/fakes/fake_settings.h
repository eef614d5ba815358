#pragma once

#include <map>

#include "platform/settings_store.h"

namespace harkdeck::test {

class CFakeSettings final : public ISettingsStore {
 public:
  bool OpenKey(bool* existedBefore) override {
    if (failOpen) return false;
    *existedBefore = exists;
    exists = true;
    return true;
  }
  std::optional<std::int32_t> ReadInt(const std::string& name) override {
    const auto found = values.find(name);
    if (found == values.end()) return std::nullopt;
    return found->second;
  }
  void WriteInt(const std::string& name, std::int32_t value) override { values[name] = value; }
  bool CloseKey() override { return true; }

  bool exists = false;
  bool failOpen = false;
  std::map<std::string, std::int32_t> values;
};

}  // namespace harkdeck::test
