#include "panel/local_time.h"

#include <ctime>

namespace harkdeck {

namespace {
constexpr Time64 kLastLocalTime = 32'535'244'799;
}  // namespace

std::optional<CLocalFields> LocalFields(Time64 value) {
  if (value < 0 || value > kLastLocalTime) return std::nullopt;
  const std::time_t seconds = static_cast<std::time_t>(value);
  std::tm parts{};
  if (localtime_r(&seconds, &parts) == nullptr) return std::nullopt;
  return CLocalFields{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                      parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

}  // namespace harkdeck
