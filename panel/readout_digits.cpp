#include "panel/readout_digits.h"

#include "control/datetime_text.h"
#include "panel/panel_ids.h"

namespace harkdeck {

namespace {

constexpr int kYear = 0;
constexpr int kMonth = 4;
constexpr int kDay = 6;
constexpr int kHour = 8;
constexpr int kMinute = 10;
constexpr int kSecond = 12;

// Truncating division keeps the dividend's sign in the remainder, so a
// negative field gives negative digits, which show as 0.
void SetField(CDigitImages* images, int position, std::int64_t value) {
  (*images)[position] = DigitBitmap(static_cast<int>(value / 10));
  (*images)[position + 1] = DigitBitmap(static_cast<int>(value % 10));
}

}  // namespace

int DigitBitmap(int value) {
  if (value >= 1 && value <= 9) return kBmpDigit1 + (value - 1);
  return kBmpDigit0;
}

CDigitImages DateTimeDigits(Time64 value) {
  int year = 0, month = 0, day = 0, hour = -1, minute = -1, second = -1;
  if (std::tm local{}; BreakDownLocalTime(value, local)) {
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
    hour = local.tm_hour;
    minute = local.tm_min;
    second = local.tm_sec;
  }
  CDigitImages images{};
  images[kYear] = DigitBitmap((year / 1000) % 10);
  images[kYear + 1] = DigitBitmap((year / 100) % 10);
  images[kYear + 2] = DigitBitmap((year / 10) % 10);
  images[kYear + 3] = DigitBitmap(year % 10);
  SetField(&images, kMonth, month);
  SetField(&images, kDay, day);
  SetField(&images, kHour, hour);
  SetField(&images, kMinute, minute);
  SetField(&images, kSecond, second);
  return images;
}

CSpanImages SpanDigits(std::int64_t seconds) {
  CSpanImages span{};
  span.digits.fill(kBmpBlankDigit);
  span.separator1 = kBmpBlankDigit;
  SetField(&span.digits, kSecond, seconds - 60 * (seconds / 60));
  SetField(&span.digits, kMinute, seconds / 60 - 60 * (seconds / 3600));
  SetField(&span.digits, kHour, seconds / 3600 - 24 * (seconds / 86400));
  const std::int64_t days = seconds / 86400;
  span.separator2 = DigitBitmap(static_cast<int>((days / 100) % 10));
  span.digits[kDay] = DigitBitmap(static_cast<int>((days / 10) % 10));
  span.digits[kDay + 1] = DigitBitmap(static_cast<int>(days % 10));
  return span;
}

}  // namespace harkdeck
