#pragma once

#include <optional>

#include "platform/time_value.h"

namespace harkdeck {

// A time value broken down in the machine's local time.
struct CLocalFields {
  int year;    // full, such as 2011
  int month;   // 1..12
  int day;     // 1..31
  int hour;    // 0..23
  int minute;  // 0..59
  int second;  // 0..59
};

// Nothing outside 0..32535244799, the range the recorder's times may take,
// or when the system cannot break the value down.
std::optional<CLocalFields> LocalFields(Time64 value);

}  // namespace harkdeck
