#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "tool/recording.h"

namespace harkdeck {

// What a recording needs to be whole again.
struct CRepairPlan {
  std::int64_t cutAudioBytes = 0;
  std::int64_t audioBytes = 0;
  bool rewriteHeader = false;
  bool audioTooLong = false;
  std::int64_t cutTimeBytes = 0;
  std::int64_t blocksWithoutRecord = 0;

  bool WritesSomething() const { return cutAudioBytes > 0 || rewriteHeader || cutTimeBytes > 0; }
};

// A partial last block is cut, the sizes are made to match the audio left,
// and time records past the last block (or a record cut short) are dropped.
CRepairPlan PlanRepair(const CRecording& recording);

// One line per step, in words.
std::vector<std::string> DescribeRepair(const CRecording& recording, const CRepairPlan& plan);

// Opens the recording (read-only for a dry run), says what it does or would
// do on out and does it. False, with the reason on err, when the files are
// not a recording of ours, cannot be opened or written, or when something
// stays wrong that repair cannot mend.
bool RepairRecording(const std::string& wavePath, const std::string& timePath, bool dryRun,
                     std::ostream& out, std::ostream& err);

}  // namespace harkdeck
