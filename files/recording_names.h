#pragma once

#include <string>

#include "platform/time_value.h"

namespace harkdeck {

// "MMDDhhmmss.wav" and "MMDDhhmmss.tim" from a recording's begin time in
// local time; the year is not part of the name. Empty when the time cannot be
// broken down.
std::string WaveFileName(Time64 beginTime);
std::string TimeFileName(Time64 beginTime);

// The time file beside a chosen wave file: every lower-case "wav" in the whole
// path becomes "tim", folders included. A path without one maps to itself.
std::string TimeFilePathFor(const std::string& wavePath);

}  // namespace harkdeck
