#pragma once

#include <cstdint>
#include <string>

#include "platform/time_value.h"

namespace harkdeck {

// A time record as "%Y-%m-%d %H:%M:%S" in local time, or "(time N)" for a
// value that is no date-time.
std::string DateTimeText(Time64 t);

// The audio length of some blocks in seconds with its one decimal, "12.4";
// exact, since a block is 0.2 s.
std::string BlockSecondsText(std::int64_t blocks);

// The same with six decimals, as audio editors read label tracks.
std::string LabelSecondsText(std::int64_t blocks);

// text quoted for JSON, with the characters JSON requires escaped.
std::string JsonString(const std::string& text);

}  // namespace harkdeck
