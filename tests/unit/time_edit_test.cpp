#include <optional>
#include <ostream>
#include <string>

#include "panel/panel_ids.h"
#include "tests/fakes/recorder_fixture.h"
#include "tests/unit/time_zone.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kT = 1'714'550'400;  // 2024-05-01 08:00:00 UTC

class TimeEditTest : public CRecorderFixture {
 protected:
  TimeEditTest() {
    clock.Set(kT);
    Start();
  }

  // A click on the edit bar whose dialog is answered with the text.
  void EditWith(std::optional<std::string> answer) {
    window.editAnswers.push_back(std::move(answer));
    dlg->OnCommand(kCtlEditBar);
  }
};

TEST_F(TimeEditTest, DialogShowsWhatTheReadOutShows) {
  struct {
    int mode;
    const char* caption;
    const char* shown;
  } const cases[] = {
      {0, "Edit Begin time", "2024-05-01 08:00:00"},
      {1, "Edit End time", "2024-05-02 09:01:01"},
      {2, "Edit Duration", "1 01:01:01"},
      {4, "Specify the target date-time", "2024-04-30 23:59:59"},
  };
  dlg->m_beginTime = kT;
  dlg->m_endTime = kT + 90061;
  dlg->m_recordedTime = kT - 28801;
  for (const auto& c : cases) {
    dlg->m_displayMode = c.mode;
    EditWith(std::nullopt);
    EXPECT_EQ(window.editCaptions.back(), c.caption) << c.mode;
    EXPECT_EQ(window.editShown.back(), c.shown) << c.mode;
  }
  EXPECT_EQ(dlg->m_beginTime, kT) << "cancel changes nothing";
  EXPECT_EQ(dlg->m_endTime, kT + 90061);
  EXPECT_TRUE(window.boxes.empty());
}

TEST_F(TimeEditTest, CountdownModeOpensNoDialog) {
  dlg->m_displayMode = 3;
  EditWith("2024-05-01 09:00:00");
  EXPECT_TRUE(window.editCaptions.empty());
}

struct CEditCase {
  const char* name;
  int mode;
  const char* text;
  Time64 begin;
  Time64 end;
  Time64 target;
  const char* box;  // nullptr: none
};

void PrintTo(const CEditCase& c, std::ostream* out) { *out << c.name; }

class TimeEditCaseTest : public TimeEditTest, public ::testing::WithParamInterface<CEditCase> {};

// Starting from begin kT + 3600, end kT + 7200, recorded time kT + 600.
TEST_P(TimeEditCaseTest, AcceptedValueTakesEffect) {
  const CEditCase& c = GetParam();
  dlg->m_beginTime = kT + 3600;
  dlg->m_endTime = kT + 7200;
  dlg->m_recordedTime = kT + 600;
  dlg->m_seekTarget = 5;
  dlg->m_displayMode = c.mode;
  EditWith(c.text);

  EXPECT_EQ(dlg->m_beginTime, c.begin);
  EXPECT_EQ(dlg->m_endTime, c.end);
  EXPECT_EQ(dlg->m_seekTarget, c.target);
  if (c.box == nullptr) {
    EXPECT_TRUE(window.boxes.empty());
  } else {
    ASSERT_EQ(window.boxes.size(), 1u);
    EXPECT_EQ(window.boxes[0].text, c.box);
  }
}

constexpr const char* kEndBox = "The End time is before the Begin time!";
constexpr const char* kTargetBox = "The target time is before the current playback time!";

INSTANTIATE_TEST_SUITE_P(
    Edits, TimeEditCaseTest,
    ::testing::Values(
        CEditCase{"BeginAfterEndDrags", 0, "2024-05-01 12:00:00", kT + 14400, kT + 14400, 5,
                  nullptr},
        CEditCase{"BeginLooseForm", 0, " 2024-5-1  8:0:9 and more", kT + 9, kT + 7200, 5, nullptr},
        CEditCase{"BeginInThePast", 0, "2024-04-30 08:00:00", kT - 86400, kT + 7200, 5, nullptr},
        CEditCase{"BeginThreeNumbers", 0, "2024-05-01", kT + 3600, kT + 7200, 5, nullptr},
        CEditCase{"BeginSpaceBeforeDash", 0, "2024 -05-01 10:00:00", kT + 3600, kT + 7200, 5,
                  nullptr},
        CEditCase{"BeginDayOverflow", 0, "2024-02-30 10:00:00", 1'709'287'200, kT + 7200, 5,
                  nullptr},
        CEditCase{"EndBeforeBegin", 1, "2024-05-01 08:30:00", kT + 3600, kT + 3600, 5, kEndBox},
        CEditCase{"EndEqualsBegin", 1, "2024-05-01 09:00:00", kT + 3600, kT + 3600, 5, nullptr},
        CEditCase{"EndLater", 1, "2024-05-02 09:00:00", kT + 3600, kT + 90000, 5, nullptr},
        CEditCase{"Duration90Minutes", 2, "0 00:90:00", kT + 3600, kT + 9000, 5, nullptr},
        CEditCase{"DurationNegative", 2, "0 -1:00:00", kT + 3600, kT, 5, nullptr},
        CEditCase{"DurationTwoDays", 2, "2 0:0:1", kT + 3600, kT + 3600 + 172801, 5, nullptr},
        CEditCase{"DurationTooFew", 2, "0 01:00", kT + 3600, kT + 7200, 5, nullptr},
        CEditCase{"TargetLater", 4, "2024-05-01 08:20:00", kT + 3600, kT + 7200, kT + 1200,
                  nullptr},
        CEditCase{"TargetEqual", 4, "2024-05-01 08:10:00", kT + 3600, kT + 7200, kT + 600, nullptr},
        CEditCase{"TargetEarlier", 4, "2024-05-01 08:00:00", kT + 3600, kT + 7200, kT + 600,
                  kTargetBox}),
    [](const auto& info) { return std::string(info.param.name); });

struct CRefusedCase {
  const char* name;
  const char* text;
};

void PrintTo(const CRefusedCase& c, std::ostream* out) { *out << c.name; }

class TimeEditRefusedTest : public TimeEditTest,
                            public ::testing::WithParamInterface<CRefusedCase> {};

TEST_P(TimeEditRefusedTest, OutOfRangeFieldsShowAnErrorAndChangeNothing) {
  for (const int mode : {0, 4}) {
    window.boxes.clear();
    dlg->m_beginTime = kT + 3600;
    dlg->m_endTime = kT + 7200;
    dlg->m_seekTarget = 5;
    dlg->m_displayMode = mode;
    EditWith(GetParam().text);
    ASSERT_EQ(window.boxes.size(), 1u) << mode;
    EXPECT_EQ(window.boxes[0].kind, CBoxKind::kError);
    EXPECT_FALSE(window.boxes[0].text.empty());
    EXPECT_EQ(dlg->m_beginTime, kT + 3600);
    EXPECT_EQ(dlg->m_endTime, kT + 7200);
    EXPECT_EQ(dlg->m_seekTarget, 5);
  }
}

INSTANTIATE_TEST_SUITE_P(Fields, TimeEditRefusedTest,
                         ::testing::Values(CRefusedCase{"Month13", "2024-13-01 10:00:00"},
                                           CRefusedCase{"Hour24", "2024-05-01 24:00:00"},
                                           CRefusedCase{"Year1960", "1960-06-01 12:00:00"},
                                           CRefusedCase{"PastTheLimit", "3001-01-01 08:00:00"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(TimeEditTest, LastRepresentableSecondIsAccepted) {
  dlg->m_displayMode = 1;
  EditWith("3001-01-01 07:59:59");
  EXPECT_EQ(dlg->m_endTime, 32'535'244'799);
  EXPECT_TRUE(window.boxes.empty());
}

// The duration is added to the begin time found when the dialog closes: an
// idle tick may have raised it meanwhile.
TEST_F(TimeEditTest, DurationAppliesToTheBeginTimeWhenTheDialogCloses) {
  dlg->m_displayMode = 2;
  window.onModal = [this] { TickAt(kT + 40); };
  EditWith("0 00:05:00");
  EXPECT_EQ(dlg->m_beginTime, kT + 40);
  EXPECT_EQ(dlg->m_endTime, kT + 340);
}

TEST_F(TimeEditTest, EnteredTimesAreLocalWithTheSystemsDaylightSaving) {
  const CTimeZone zone("Europe/Berlin");
  dlg->m_displayMode = 0;
  EditWith("2024-01-15 12:00:00");
  EXPECT_EQ(dlg->m_beginTime, 1'705'316'400) << "CET, 11:00 UTC";
  EditWith("2024-07-01 12:00:00");
  EXPECT_EQ(dlg->m_beginTime, 1'719'828'000) << "CEST, 10:00 UTC";
  // Three hours on the wall across the spring change are two real hours.
  EditWith("2024-03-31 01:00:00");
  dlg->m_displayMode = 1;
  EditWith("2024-03-31 04:00:00");
  EXPECT_EQ(dlg->m_endTime - dlg->m_beginTime, 7200);
  dlg->m_displayMode = 2;
  EditWith(std::nullopt);
  EXPECT_EQ(window.editShown.back(), "0 02:00:00");
}

}  // namespace
}  // namespace harkdeck::test
