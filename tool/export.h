#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "platform/time_value.h"
#include "tool/recording.h"

namespace harkdeck {

// Blocks stamped from `from` on and before `to`; an open end takes all.
struct CExportRange {
  std::optional<Time64> from;
  std::optional<Time64> to;

  bool Holds(Time64 t) const { return (!from || t >= *from) && (!to || t < *to); }
};

// The blocks in range, in their order, go to one new recording in folder,
// named from its first block's date-time as recordings are, with a final
// header and its own 8-byte time file. Each file written is named on out,
// each failure on err. False when nothing lies in range or a file could not
// be written; existing files are never overwritten.
bool ExportRange(CRecording& recording, const CExportRange& range, const std::string& folder,
                 std::ostream& out, std::ostream& err);

// Every transmission to a recording of its own, as above. A transmission
// whose names are taken (the clock went back) is left out with a message and
// the rest are written; false then.
bool ExportEach(CRecording& recording, const std::string& folder, std::ostream& out,
                std::ostream& err);

}  // namespace harkdeck
