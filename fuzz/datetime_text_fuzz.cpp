#include <cstdint>
#include <stdexcept>
#include <string>

#include "control/datetime_text.h"

// Whatever is typed into the edit dialog or stands after "begin:" in a script.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace harkdeck;
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (const auto f = ParseDateTimeText(text.c_str())) {
    try {
      const Time64 t =
          LocalTimeFromFields(f->year, f->month, f->day, f->hour, f->minute, f->second);
      if (FormatDateTime(t).empty()) __builtin_trap();
    } catch (const std::invalid_argument&) {
    }
  }
  if (const auto s = ParseDurationText(text.c_str())) {
    FormatDuration(SpanFromFields(s->days, s->hours, s->minutes, s->seconds));
  }
  ParseTimeOfDayText(text.c_str());
  return 0;
}
