#include "tool/index.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "control/datetime_text.h"
#include "files/wave_header.h"
#include "tool/report_text.h"
#include "tool/transmissions.h"

namespace harkdeck {

namespace {

std::int64_t WaveOffset(std::int64_t block) { return kWaveHeaderBytes + block * kBlockBytes; }

// Calls each with every transmission in order; false when the time file
// could not be read to the end.
bool ForEachTransmission(CRecording& recording,
                         const std::function<void(const CTransmission&)>& each) {
  CTimeRecordReader reader(recording);
  CTransmissionSplitter splitter;
  Time64 time = 0;
  while (reader.Next(time)) {
    if (const auto done = splitter.Add(time)) each(*done);
  }
  if (const auto last = splitter.Finish()) each(*last);
  return !reader.Failed();
}

bool ForEachHour(CRecording& recording, const std::function<void(const CHourTalk&)>& each) {
  CTimeRecordReader reader(recording);
  CHourTally tally;
  Time64 time = 0;
  while (reader.Next(time)) {
    if (const auto done = tally.Add(time)) each(*done);
  }
  if (const auto last = tally.Finish()) each(*last);
  return !reader.Failed();
}

std::string HourText(Time64 hourStart) { return DateTimeText(hourStart).substr(0, 16); }

std::string JsonDateTime(const CRecordSummary& summary, Time64 t) {
  return summary.blocks > 0 ? JsonString(DateTimeText(t)) : "null";
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

bool WriteText(CRecording& recording, const CRecordSummary& summary, std::ostream& out) {
  out << std::filesystem::path(recording.wavePath).filename().string() << ": "
      << summary.transmissions << " transmission" << (summary.transmissions == 1 ? "" : "s")
      << "\n\n";
  out << "     #  start                end                  seconds   wave offset\n";
  std::int64_t number = 0;
  const bool read = ForEachTransmission(recording, [&](const CTransmission& t) {
    char head[24];  // the widest int64 and its two blanks
    std::snprintf(head, sizeof head, "%6" PRId64 "  ", ++number);
    out << head << DateTimeText(t.start) << "  " << DateTimeText(t.end) << "  "
        << Padded(BlockSecondsText(t.blocks), 8) << "  " << WaveOffset(t.firstBlock) << '\n';
  });
  out << "\nTalk time per hour\n";
  const bool readHours = ForEachHour(recording, [&](const CHourTalk& hour) {
    out << "  " << HourText(hour.hourStart) << "  " << BlockSecondsText(hour.blocks) << " s\n";
  });
  if (summary.blocks > 0) {
    out << "\nRecorded from " << DateTimeText(summary.earliest) << " to "
        << DateTimeText(summary.latest) << " (" << FormatDuration(summary.latest - summary.earliest)
        << ")\n";
  } else {
    out << "\nNo block has a time record\n";
  }
  out << "Audio kept " << BlockSecondsText(summary.blocks) << " s ("
      << FormatDuration(summary.blocks / kBlocksPerSecond) << ")\n";
  if (summary.stepsBack > 0) {
    out << "The clock went back " << summary.stepsBack << " time"
        << (summary.stepsBack == 1 ? "" : "s") << " during the recording\n";
  }
  return read && readHours;
}

bool WriteCsv(CRecording& recording, std::ostream& out) {
  out << "number,start,end,start_time,end_time,seconds,first_block,blocks,wave_offset,"
         "audio_start\n";
  std::int64_t number = 0;
  return ForEachTransmission(recording, [&](const CTransmission& t) {
    out << ++number << ',' << DateTimeText(t.start) << ',' << DateTimeText(t.end) << ',' << t.start
        << ',' << t.end << ',' << BlockSecondsText(t.blocks) << ',' << t.firstBlock << ','
        << t.blocks << ',' << WaveOffset(t.firstBlock) << ',' << BlockSecondsText(t.firstBlock)
        << '\n';
  });
}

bool WriteJson(CRecording& recording, const CRecordSummary& summary, std::ostream& out) {
  out << "{\n  \"wave_file\": " << JsonString(recording.wavePath)
      << ",\n  \"time_file\": " << JsonString(recording.timePath)
      << ",\n  \"record_bytes\": " << recording.recordSize << ",\n  \"blocks\": " << summary.blocks
      << ",\n  \"audio_seconds\": " << BlockSecondsText(summary.blocks)
      << ",\n  \"earliest\": " << JsonDateTime(summary, summary.earliest)
      << ",\n  \"latest\": " << JsonDateTime(summary, summary.latest)
      << ",\n  \"span_seconds\": " << summary.latest - summary.earliest
      << ",\n  \"clock_steps_back\": " << summary.stepsBack << ",\n  \"transmissions\": [";
  const char* separator = "\n";
  const bool read = ForEachTransmission(recording, [&](const CTransmission& t) {
    out << separator << "    {\"start\": " << JsonString(DateTimeText(t.start))
        << ", \"end\": " << JsonString(DateTimeText(t.end)) << ", \"start_time\": " << t.start
        << ", \"end_time\": " << t.end << ", \"seconds\": " << BlockSecondsText(t.blocks)
        << ", \"first_block\": " << t.firstBlock << ", \"blocks\": " << t.blocks
        << ", \"wave_offset\": " << WaveOffset(t.firstBlock)
        << ", \"audio_start\": " << BlockSecondsText(t.firstBlock) << "}";
    separator = ",\n";
  });
  out << "\n  ],\n  \"talk_per_hour\": [";
  separator = "\n";
  const bool readHours = ForEachHour(recording, [&](const CHourTalk& hour) {
    out << separator << "    {\"hour\": " << JsonString(HourText(hour.hourStart))
        << ", \"hour_time\": " << hour.hourStart
        << ", \"seconds\": " << BlockSecondsText(hour.blocks) << "}";
    separator = ",\n";
  });
  out << "\n  ]\n}\n";
  return read && readHours;
}

bool WriteLabels(CRecording& recording, std::ostream& out) {
  return ForEachTransmission(recording, [&](const CTransmission& t) {
    out << LabelSecondsText(t.firstBlock) << '\t' << LabelSecondsText(t.firstBlock + t.blocks)
        << '\t' << DateTimeText(t.start) << '\n';
  });
}

}  // namespace

bool WriteIndex(CRecording& recording, CIndexFormat format, std::ostream& out, std::string& error) {
  CRecordSummary summary;
  if (!SummariseRecords(recording, summary, error)) return false;
  if (summary.blocks == 0 && recording.Blocks() > 0) {
    error = "No block of " + recording.wavePath + " has a time record in " + recording.timePath +
            ".";
    return false;
  }
  bool read = false;
  switch (format) {
    case CIndexFormat::kText:
      read = WriteText(recording, summary, out);
      break;
    case CIndexFormat::kCsv:
      read = WriteCsv(recording, out);
      break;
    case CIndexFormat::kJson:
      read = WriteJson(recording, summary, out);
      break;
    case CIndexFormat::kLabels:
      read = WriteLabels(recording, out);
      break;
  }
  if (!read) error = recording.timePath + " could not be read to the end.";
  return read;
}

}  // namespace harkdeck
