#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/time_value.h"
#include "tool/recording.h"

namespace harkdeck {

// A run of blocks whose time records step by at most one second.
struct CTransmission {
  std::int64_t firstBlock = 0;
  std::int64_t blocks = 0;
  Time64 start = 0;
  Time64 end = 0;

  bool operator==(const CTransmission&) const = default;
};

// A block stamped next belongs to the transmission of the block before it,
// stamped previous. Records repeat about five times a second, so a step of
// 0 or 1 s is the same transmission; a longer step is a stretch the gate left
// out, and a step back is a clock that was set back.
bool ContinuesTransmission(Time64 previous, Time64 next);

// Cuts the time records of consecutive blocks, fed one at a time, into
// transmissions.
class CTransmissionSplitter {
 public:
  // The transmission that this record ends, if it starts a new one.
  std::optional<CTransmission> Add(Time64 time);
  // The last transmission, if any block was added.
  std::optional<CTransmission> Finish();

 private:
  CTransmission m_current;
  std::int64_t m_nextBlock = 0;
};

// Audio kept per local clock hour.
struct CHourTalk {
  Time64 hourStart = 0;
  std::int64_t blocks = 0;

  bool operator==(const CHourTalk&) const = default;
};

// The start of the local clock hour that holds t, a date-time.
Time64 LocalHourStart(Time64 t);

// Counts the blocks of consecutive records per local hour. A row ends when
// the hour changes, so a clock set back into an hour already counted gives
// that hour a second row.
class CHourTally {
 public:
  std::optional<CHourTalk> Add(Time64 time);
  std::optional<CHourTalk> Finish();

 private:
  CHourTalk m_current;
  Time64 m_hourEnd = 0;
};

// What one reading of the time records finds.
struct CRecordSummary {
  std::int64_t blocks = 0;
  Time64 first = 0;
  Time64 last = 0;
  Time64 earliest = 0;
  Time64 latest = 0;
  std::int64_t transmissions = 0;
  std::int64_t stepsBack = 0;
  std::int64_t notDateTimes = 0;
  std::int64_t firstNotDateTime = -1;
};

// Reads the records of the dated blocks once. False with a message when the
// time file cannot be read or holds records that are no date-time, which a
// time file of another recording or of the other width would.
bool SummariseRecords(CRecording& recording, CRecordSummary& summary, std::string& error);

}  // namespace harkdeck
