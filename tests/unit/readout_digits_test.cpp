#include "panel/readout_digits.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "tests/fakes/readout_text.h"
#include "tests/unit/time_zone.h"

namespace harkdeck::test {
namespace {

TEST(DigitBitmapTest, OnlyOneToNineHaveTheirOwnImage) {
  const struct {
    int value;
    int image;
  } cases[] = {{0, 133},  {1, 136},  {2, 137},  {5, 140},   {9, 144},
               {10, 133}, {-1, 133}, {-9, 133}, {100, 133}, {-2147483647 - 1, 133}};
  for (const auto& c : cases) EXPECT_EQ(DigitBitmap(c.value), c.image) << c.value;
}

TEST(DateTimeDigitsTest, ReadsTheLocalBreakdownOrZerosOutsideItsRange) {
  const struct {
    Time64 value;
    const char* text;
  } cases[] = {
      {0, "1970-01-01 00:00:00"},
      {1'299'488'702, "2011-03-07 09:05:02"},
      {1'700'000'000, "2023-11-14 22:13:20"},
      {32'535'244'799, "3001-01-01 07:59:59"},
      {-1, "0000-00-00 00:00:00"},
      {32'535'244'800, "0000-00-00 00:00:00"},
      {INT64_MIN, "0000-00-00 00:00:00"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadoutText(DateTimeDigits(c.value)), c.text) << c.value;
}

TEST(DateTimeDigitsTest, FollowsTheMachinesZone) {
  const CTimeZone zone("XYZ-2");  // two hours east of UTC
  EXPECT_EQ(ReadoutText(DateTimeDigits(0)), "1970-01-01 02:00:00");
  EXPECT_EQ(ReadoutText(DateTimeDigits(1'700'000'000)), "2023-11-15 00:13:20");
}

TEST(SpanDigitsTest, ShowsDaysHoursMinutesSeconds) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "       000 00:00:00"},
      {300, "       000 00:05:00"},
      {90'061, "       001 01:01:01"},
      {86'399, "       000 23:59:59"},
      {999LL * 86'400 + 3'599, "       999 00:59:59"},
      {1'234LL * 86'400, "       234 00:00:00"},
      {-1, "       000 00:00:00"},
      {-90'061, "       000 00:00:00"},
      {INT64_MIN / 2, "       000 00:00:00"},
  };
  for (const auto& c : cases) {
    const CSpanImages span = SpanDigits(c.seconds);
    EXPECT_EQ(ReadoutText(span.digits, span.separator1, span.separator2), c.text) << c.seconds;
  }
}

}  // namespace
}  // namespace harkdeck::test
