#include "control/datetime_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>
#include <stdexcept>
#include <string>

#include "tests/unit/time_zone.h"

namespace harkdeck {
namespace {

struct CFieldsCase {
  CDateTimeFields fields;
  Time64 expected;
};

void PrintTo(const CDateTimeFields& f, std::ostream* out) {
  *out << f.year << '-' << f.month << '-' << f.day << ' ' << f.hour << ':' << f.minute << ':'
       << f.second;
}
void PrintTo(const CFieldsCase& c, std::ostream* out) { PrintTo(c.fields, out); }

class LocalTimeFromFieldsTest : public ::testing::TestWithParam<CFieldsCase> {};

TEST_P(LocalTimeFromFieldsTest, ConvertsInUtc) {
  const CDateTimeFields& f = GetParam().fields;
  EXPECT_EQ(LocalTimeFromFields(f.year, f.month, f.day, f.hour, f.minute, f.second),
            GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Utc, LocalTimeFromFieldsTest,
    ::testing::Values(CFieldsCase{{2024, 5, 1, 8, 0, 0}, 1714550400},
                      CFieldsCase{{1970, 1, 1, 0, 0, 0}, 0},
                      CFieldsCase{{3001, 1, 1, 7, 59, 59}, 32535244799},
                      CFieldsCase{{2024, 2, 29, 10, 0, 0}, 1709200800},
                      CFieldsCase{{2024, 2, 30, 10, 0, 0}, 1709287200},   // runs into 1 March
                      CFieldsCase{{2023, 2, 31, 0, 0, 0}, 1677801600},    // 3 March
                      CFieldsCase{{2024, 4, 31, 0, 0, 0}, 1714521600}));  // 1 May

struct CRejectCase {
  CDateTimeFields fields;
  const char* word;  // the message must name what is wrong
};

void PrintTo(const CRejectCase& c, std::ostream* out) { PrintTo(c.fields, out); }

class LocalTimeRejectTest : public ::testing::TestWithParam<CRejectCase> {};

TEST_P(LocalTimeRejectTest, ThrowsNamingTheField) {
  const CDateTimeFields& f = GetParam().fields;
  try {
    LocalTimeFromFields(f.year, f.month, f.day, f.hour, f.minute, f.second);
    FAIL() << "accepted";
  } catch (const std::invalid_argument& error) {
    EXPECT_NE(std::string(error.what()).find(GetParam().word), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, LocalTimeRejectTest,
    ::testing::Values(
        CRejectCase{{1899, 6, 1, 12, 0, 0}, "year"}, CRejectCase{{INT_MIN, 6, 1, 12, 0, 0}, "year"},
        CRejectCase{{2024, 13, 1, 10, 0, 0}, "month"}, CRejectCase{{2024, 0, 1, 10, 0, 0}, "month"},
        CRejectCase{{2024, 5, 0, 10, 0, 0}, "day"}, CRejectCase{{2024, 5, 32, 10, 0, 0}, "day"},
        CRejectCase{{2024, 5, 1, 24, 0, 0}, "hour"}, CRejectCase{{2024, 5, 1, -1, 0, 0}, "hour"},
        CRejectCase{{2024, 5, 1, 10, 60, 0}, "minute"},
        CRejectCase{{2024, 5, 1, 10, 0, 60}, "second"},
        CRejectCase{{2024, 5, 1, 10, 0, -1}, "second"}, CRejectCase{{1960, 6, 1, 12, 0, 0}, "1970"},
        CRejectCase{{1969, 12, 31, 23, 59, 59}, "1970"}, CRejectCase{{3001, 1, 1, 8, 0, 0}, "3000"},
        CRejectCase{{INT_MAX, 12, 31, 23, 59, 59}, "3000"}));

TEST(LocalTimeZoneTest, DaylightSavingIsDecidedByTheSystem) {
  CTimeZone zone("Europe/Berlin");
  EXPECT_EQ(LocalTimeFromFields(2024, 7, 3, 14, 5, 9), 1720008309);   // UTC+2
  EXPECT_EQ(LocalTimeFromFields(2024, 1, 15, 12, 0, 0), 1705316400);  // UTC+1
  EXPECT_EQ(FormatDateTime(1720008309), "2024-07-03 14:05:09");
  // Local midnight of the first day of 1970 is still in 1969 in UTC.
  EXPECT_THROW(LocalTimeFromFields(1970, 1, 1, 0, 30, 0), std::invalid_argument);
  EXPECT_EQ(LocalTimeFromFields(1970, 1, 1, 1, 0, 0), 0);
}

TEST(SpanFromFieldsTest, FieldsAddInWithoutLimits) {
  EXPECT_EQ(SpanFromFields(0, 0, 5, 0), 300);
  EXPECT_EQ(SpanFromFields(0, 1, 90, 0), 9000);
  EXPECT_EQ(SpanFromFields(0, -1, 0, 0), -3600);
  EXPECT_EQ(SpanFromFields(1, 1, 1, 1), 90061);
  EXPECT_EQ(SpanFromFields(INT_MAX, INT_MAX, INT_MAX, INT_MAX),
            ((INT_MAX * 24LL + INT_MAX) * 60 + INT_MAX) * 60 + INT_MAX);
  EXPECT_EQ(SpanFromFields(INT_MIN, INT_MIN, INT_MIN, INT_MIN),
            ((INT_MIN * 24LL + INT_MIN) * 60 + INT_MIN) * 60 + INT_MIN);
}

TEST(FormatDateTimeTest, ShowsLocalTimeAndNothingOutsideTheBreakdown) {
  EXPECT_EQ(FormatDateTime(1714550400), "2024-05-01 08:00:00");
  EXPECT_EQ(FormatDateTime(0), "1970-01-01 00:00:00");
  EXPECT_EQ(FormatDateTime(32535244799), "3001-01-01 07:59:59");
  EXPECT_EQ(FormatDateTime(-1), "");
  EXPECT_EQ(FormatDateTime(32535244800), "");
  EXPECT_EQ(FormatDateTime(INT64_MIN), "");
}

TEST(FormatDurationTest, PartsTruncateTowardZero) {
  const struct {
    std::int64_t seconds;
    const char* text;
  } cases[] = {
      {0, "0 00:00:00"},
      {300, "0 00:05:00"},
      {90061, "1 01:01:01"},
      {86399, "0 23:59:59"},
      {86400 * 400, "400 00:00:00"},
      {-3600, "0 -1:00:00"},
      {-90061, "-1 -1:-1:-1"},
      {-59, "0 00:00:-59"},
      {INT64_MAX, "106751991167300 15:30:07"},
      {INT64_MIN, "-106751991167300 -15:-30:-8"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatDuration(c.seconds), c.text) << c.seconds;
}

TEST(DateTimeTextTest, ShownTextsReadBackToTheSameValue) {
  for (const Time64 t : {Time64{0}, Time64{1714550400}, Time64{32535244799}}) {
    const auto f = ParseDateTimeText(FormatDateTime(t).c_str());
    ASSERT_TRUE(f) << t;
    EXPECT_EQ(LocalTimeFromFields(f->year, f->month, f->day, f->hour, f->minute, f->second), t);
  }
  for (const std::int64_t s : {std::int64_t{0}, std::int64_t{90061}, std::int64_t{-3600}}) {
    const auto f = ParseDurationText(FormatDuration(s).c_str());
    ASSERT_TRUE(f) << s;
    EXPECT_EQ(SpanFromFields(f->days, f->hours, f->minutes, f->seconds), s);
  }
}

TEST(DateTimeTextTest, DateTimeFormFollowsScanfRules) {
  const auto read = ParseDateTimeText(" +2024-5-1\t8:0:7 and more");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->year, 2024);
  EXPECT_EQ(read->month, 5);
  EXPECT_EQ(read->day, 1);
  EXPECT_EQ(read->hour, 8);
  EXPECT_EQ(read->minute, 0);
  EXPECT_EQ(read->second, 7);
  EXPECT_TRUE(ParseDateTimeText("2024-05-01 24:00:00")) << "ranges are checked later";
  EXPECT_TRUE(ParseDateTimeText("2024-05-01- 8:00:00") == std::nullopt);
  for (const char* text : {"", "2024-05-01", "2024-05-01 08:00", "2024 -05-01 08:00:00",
                           "2024-05-01 08 :00:00", "08:00:00", "x2024-05-01 08:00:00"}) {
    EXPECT_EQ(ParseDateTimeText(text).has_value(), false) << text;
  }
}

TEST(DateTimeTextTest, DurationAndTimeOfDayForms) {
  const auto span = ParseDurationText("0 -1:90:00");
  ASSERT_TRUE(span);
  EXPECT_EQ(SpanFromFields(span->days, span->hours, span->minutes, span->seconds), 1800);
  EXPECT_TRUE(ParseDurationText("2   3:4:5 extra"));
  EXPECT_TRUE(ParseDurationText("2\n3:4:5"));
  for (const char* text : {"", "0 00:05", "0:05:00", "1 01-01-01"}) {
    EXPECT_FALSE(ParseDurationText(text)) << text;
  }

  const auto tod = ParseTimeOfDayText(" 7:05:9;");
  ASSERT_TRUE(tod);
  EXPECT_EQ(tod->hour, 7);
  EXPECT_EQ(tod->minute, 5);
  EXPECT_EQ(tod->second, 9);
  for (const char* text : {"", "07:05", "2024-05-01 08:00:00", "7 :05:09"}) {
    EXPECT_FALSE(ParseTimeOfDayText(text)) << text;
  }
}

}  // namespace
}  // namespace harkdeck
