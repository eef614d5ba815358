#pragma once

#include <ostream>
#include <string>

#include "tool/recording.h"

namespace harkdeck {

enum class CIndexFormat { kText, kCsv, kJson, kLabels };

// Writes the transmissions of a recording with a time file, and for text and
// JSON the talk per hour and the totals. False with a message when the time
// file is no time file of this recording or dates none of its blocks
// (nothing is written then), or cannot be read to the end.
bool WriteIndex(CRecording& recording, CIndexFormat format, std::ostream& out, std::string& error);

}  // namespace harkdeck
