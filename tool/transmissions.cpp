#include "tool/transmissions.h"

#include <ctime>

#include "control/datetime_text.h"

namespace harkdeck {

bool ContinuesTransmission(Time64 previous, Time64 next) {
  return next >= previous && next - previous <= 1;
}

std::optional<CTransmission> CTransmissionSplitter::Add(Time64 time) {
  std::optional<CTransmission> finished;
  if (m_current.blocks > 0 && ContinuesTransmission(m_current.end, time)) {
    ++m_current.blocks;
    m_current.end = time;
  } else {
    if (m_current.blocks > 0) finished = m_current;
    m_current = CTransmission{m_nextBlock, 1, time, time};
  }
  ++m_nextBlock;
  return finished;
}

std::optional<CTransmission> CTransmissionSplitter::Finish() {
  if (m_current.blocks == 0) return std::nullopt;
  const CTransmission last = m_current;
  m_current = CTransmission{};
  return last;
}

Time64 LocalHourStart(Time64 t) {
  std::tm fields{};
  if (!BreakDownLocalTime(t, fields)) return t;
  const Time64 intoHour = fields.tm_min * 60 + fields.tm_sec;
  return t - intoHour;
}

std::optional<CHourTalk> CHourTally::Add(Time64 time) {
  std::optional<CHourTalk> finished;
  if (m_current.blocks > 0 && time >= m_current.hourStart && time < m_hourEnd) {
    ++m_current.blocks;
    return finished;
  }
  if (m_current.blocks > 0) finished = m_current;
  m_current = CHourTalk{LocalHourStart(time), 1};
  m_hourEnd = m_current.hourStart + 3600;
  return finished;
}

std::optional<CHourTalk> CHourTally::Finish() {
  if (m_current.blocks == 0) return std::nullopt;
  const CHourTalk last = m_current;
  m_current = CHourTalk{};
  return last;
}

bool SummariseRecords(CRecording& recording, CRecordSummary& summary, std::string& error) {
  summary = CRecordSummary{};
  CTimeRecordReader reader(recording);
  Time64 time = 0;
  while (reader.Next(time)) {
    if (!IsDateTime(time)) {
      if (summary.notDateTimes++ == 0) summary.firstNotDateTime = reader.Block();
    }
    if (summary.blocks == 0) {
      summary.first = summary.earliest = summary.latest = time;
      summary.transmissions = 1;
    } else {
      if (time < summary.last) ++summary.stepsBack;
      if (!ContinuesTransmission(summary.last, time)) ++summary.transmissions;
      if (time < summary.earliest) summary.earliest = time;
      if (time > summary.latest) summary.latest = time;
    }
    summary.last = time;
    ++summary.blocks;
  }
  if (reader.Failed()) {
    error = recording.timePath + " cannot be read.";
    return false;
  }
  if (summary.notDateTimes > 0) {
    error = recording.timePath + " holds " + std::to_string(summary.notDateTimes) +
            " time records that are no date-time, the first for block " +
            std::to_string(summary.firstNotDateTime) +
            ": it is damaged or belongs to another file.";
    return false;
  }
  return true;
}

}  // namespace harkdeck
