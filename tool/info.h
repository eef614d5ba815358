#pragma once

#include <ostream>
#include <string>

#include "tool/recording.h"

namespace harkdeck {

// Gaps between neighbouring records longer than this are listed.
inline constexpr Time64 kListedGapSeconds = 60;

// Writes the header fields, the blocks and records, the record width, the
// first and last date-time and the gaps over a minute. False with a message
// when the time file cannot be read or holds no date-times; what could be
// said is written all the same.
bool WriteInfo(CRecording& recording, std::ostream& out, std::string& error);

}  // namespace harkdeck
