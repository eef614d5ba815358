#pragma once

#include <array>
#include <cstdint>

#include "platform/time_value.h"

namespace harkdeck {

// Images of a read-out's fourteen digit positions in the order of their
// control ids: year thousands, hundreds, tens, units, month tens, units, day,
// hour, minute and second tens and units.
using CDigitImages = std::array<int, 14>;

// The second read-out in a duration form: its digits and its two separators.
struct CSpanImages {
  CDigitImages digits;
  int separator1;  // 1038
  int separator2;  // 1037, which carries the hundreds of days
};

// The digit image for 1..9; every other value shows as 0.
int DigitBitmap(int value);

// YYYY-MM-DD hh:mm:ss in local time; a value that cannot be broken down reads
// 0000-00-00 00:00:00.
CDigitImages DateTimeDigits(Time64 value);

// ddd hh:mm:ss, right-aligned, with the year and month positions blank. Only
// the last three digits of the day count show; negative fields read 0.
CSpanImages SpanDigits(std::int64_t seconds);

}  // namespace harkdeck
