#include "control/datetime_text.h"

#include <cinttypes>
#include <cstdio>
#include <stdexcept>

namespace harkdeck {

namespace {

void RequireInRange(int value, int low, int high, const char* what) {
  if (value >= low && value <= high) return;
  throw std::invalid_argument(std::string("The ") + what + " must be from " + std::to_string(low) +
                              " to " + std::to_string(high) + ", not " + std::to_string(value) +
                              ".");
}

}  // namespace

bool BreakDownLocalTime(Time64 t, std::tm& fields) {
  if (t < 0 || t > kLatestLocalTime) return false;
  const std::time_t value = static_cast<std::time_t>(t);
  return ::localtime_r(&value, &fields) != nullptr;
}

Time64 LocalTimeFromFields(int year, int month, int day, int hour, int minute, int second) {
  if (year < 1900) {
    throw std::invalid_argument("The year must be 1900 or later, not " + std::to_string(year) +
                                ".");
  }
  RequireInRange(month, 1, 12, "month");
  RequireInRange(day, 1, 31, "day");
  RequireInRange(hour, 0, 23, "hour");
  RequireInRange(minute, 0, 59, "minute");
  RequireInRange(second, 0, 59, "second");

  std::tm fields{};
  fields.tm_year = year - 1900;
  fields.tm_mon = month - 1;
  fields.tm_mday = day;
  fields.tm_hour = hour;
  fields.tm_min = minute;
  fields.tm_sec = second;
  fields.tm_isdst = -1;
  const std::time_t result = std::mktime(&fields);
  // mktime's failure value -1 lies below the range too.
  if (result < 0 || static_cast<Time64>(result) > kLatestLocalTime) {
    throw std::invalid_argument("The date must lie between the years 1970 and 3000.");
  }
  return static_cast<Time64>(result);
}

std::int64_t SpanFromFields(int days, int hours, int minutes, int seconds) {
  return ((static_cast<std::int64_t>(days) * 24 + hours) * 60 + minutes) * 60 + seconds;
}

std::string FormatDateTime(Time64 t) {
  std::tm fields{};
  if (!BreakDownLocalTime(t, fields)) return {};
  char text[128];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &fields);
  return std::string(text, length);
}

std::string FormatDuration(std::int64_t seconds) {
  const std::int64_t days = seconds / 86400;
  const std::int64_t hours = seconds / 3600 - 24 * days;
  const std::int64_t minutes = seconds / 60 - 60 * (seconds / 3600);
  const std::int64_t rest = seconds - 60 * (seconds / 60);
  char text[96];
  std::snprintf(text, sizeof text, "%" PRId64 " %02" PRId64 ":%02" PRId64 ":%02" PRId64, days,
                hours, minutes, rest);
  return text;
}

std::optional<CDateTimeFields> ParseDateTimeText(const char* text) {
  CDateTimeFields f;
  if (std::sscanf(text, "%d-%d-%d %d:%d:%d", &f.year, &f.month, &f.day, &f.hour, &f.minute,
                  &f.second) != 6) {
    return std::nullopt;
  }
  return f;
}

std::optional<CSpanFields> ParseDurationText(const char* text) {
  CSpanFields f;
  if (std::sscanf(text, "%d %d:%d:%d", &f.days, &f.hours, &f.minutes, &f.seconds) != 4) {
    return std::nullopt;
  }
  return f;
}

std::optional<CTimeOfDayFields> ParseTimeOfDayText(const char* text) {
  CTimeOfDayFields f;
  if (std::sscanf(text, "%d:%d:%d", &f.hour, &f.minute, &f.second) != 3) return std::nullopt;
  return f;
}

}  // namespace harkdeck
