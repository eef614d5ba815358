#pragma once

#include <string>
#include <vector>

#include "tool/export.h"
#include "tool/index.h"

namespace harkdeck {

enum class CToolCommand { kNone, kIndex, kExport, kRepair, kInfo };

struct CToolOptions {
  CToolCommand command = CToolCommand::kNone;
  bool help = false;
  bool version = false;
  std::string wavePath;
  // Empty: the time file named after the wave file.
  std::string timePath;
  CIndexFormat format = CIndexFormat::kText;
  bool each = false;
  CExportRange range;
  std::string outFolder = ".";
  bool dryRun = false;
  // Set when the arguments cannot be used; says what is wrong.
  std::string error;
};

// The command comes first, then its options and the wave file in any order.
// --from and --to take a local date-time in the accepted form, as one
// argument or as the date and the time in two.
CToolOptions ParseToolOptions(const std::vector<std::string>& arguments);

// What --help prints.
std::string ToolUsageText();

}  // namespace harkdeck
