#pragma once

#include <ostream>
#include <string>

#include "tool/recording.h"

namespace harkdeck {

// Gaps between neighbouring records longer than this are listed.
inline constexpr Time64 kListedGapSeconds = 60;

// Writes the header fields, the blocks and records, the record width, the
// first and last date-time and the gaps over a minute. False with a message
// when there is no time file, or it cannot be read, holds records that are
// no date-time or dates none of the blocks; what could be said is written
// all the same.
bool WriteInfo(CRecording& recording, std::ostream& out, std::string& error);

}  // namespace harkdeck
