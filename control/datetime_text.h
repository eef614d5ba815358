#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "platform/time_value.h"

namespace harkdeck {

// The last second that the local-time breakdown handles: 3001-01-01 07:59:59 UTC.
inline constexpr Time64 kLatestLocalTime = 32535244799;

// Local calendar fields of t; false below 0 and above kLatestLocalTime.
bool BreakDownLocalTime(Time64 t, std::tm& fields);

// A local date-time to seconds, daylight saving decided by the system. A day
// past the end of its month runs into the next month. Throws
// std::invalid_argument, its message naming the field at fault, for a field
// out of range or a result outside what BreakDownLocalTime handles.
Time64 LocalTimeFromFields(int year, int month, int day, int hour, int minute, int second);

// ((days * 24 + hours) * 60 + minutes) * 60 + seconds; any field may be
// negative or beyond its usual range.
std::int64_t SpanFromFields(int days, int hours, int minutes, int seconds);

// "2024-05-01 08:00:00" in local time; empty when t cannot be broken down.
std::string FormatDateTime(Time64 t);

// "1 01:01:01": whole days, then hours, minutes and seconds, each part
// truncated toward zero, so a negative span shows negative parts.
std::string FormatDuration(std::int64_t seconds);

struct CDateTimeFields {
  int year = 0;
  int month = 0;
  int day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

struct CSpanFields {
  int days = 0;
  int hours = 0;
  int minutes = 0;
  int seconds = 0;
};

struct CTimeOfDayFields {
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The accepted text forms, read by scanf's rules: "%d-%d-%d %d:%d:%d",
// "%d %d:%d:%d" and "%d:%d:%d". Nothing unless every number of the form was
// read; text after the last number is ignored.
std::optional<CDateTimeFields> ParseDateTimeText(const char* text);
std::optional<CSpanFields> ParseDurationText(const char* text);
std::optional<CTimeOfDayFields> ParseTimeOfDayText(const char* text);

}  // namespace harkdeck
