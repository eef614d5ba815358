#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace harkdeck {

// A per-user key holding named 32-bit integer values, opened like a registry key:
// opening creates the key empty when it is missing and says whether it existed.
class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;
  // False when the key can neither be opened nor created.
  virtual bool OpenKey(bool* existedBefore) = 0;
  // Empty when the value is missing or is not a 32-bit integer.
  virtual std::optional<std::int32_t> ReadInt(const std::string& name) = 0;
  virtual void WriteInt(const std::string& name, std::int32_t value) = 0;
  // Commits what was written. False when it could not be stored.
  virtual bool CloseKey() = 0;
};

}  // namespace harkdeck
