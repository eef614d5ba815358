#pragma once

#include <cstdint>

namespace harkdeck {

// Seconds since 1970-01-01 00:00:00 UTC, signed and 64 bits wide everywhere.
using Time64 = std::int64_t;

}  // namespace harkdeck
