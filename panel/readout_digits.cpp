#include "panel/readout_digits.h"

#include "panel/local_time.h"
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
  CLocalFields fields{0, 0, 0, -1, -1, -1};
  if (const auto local = LocalFields(value)) fields = *local;
  CDigitImages images{};
  images[kYear] = DigitBitmap((fields.year / 1000) % 10);
  images[kYear + 1] = DigitBitmap((fields.year / 100) % 10);
  images[kYear + 2] = DigitBitmap((fields.year / 10) % 10);
  images[kYear + 3] = DigitBitmap(fields.year % 10);
  SetField(&images, kMonth, fields.month);
  SetField(&images, kDay, fields.day);
  SetField(&images, kHour, fields.hour);
  SetField(&images, kMinute, fields.minute);
  SetField(&images, kSecond, fields.second);
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
