#include <gtest/gtest.h>

#include "tests/unit/time_zone.h"
#include "tests/unit/tool_fixture.h"
#include "tool/transmissions.h"

namespace harkdeck {
namespace {

TEST(ToolTransmissionsTest, ABlockContinuesOnlyWithinTheSameOrTheNextSecond) {
  struct CCase {
    Time64 previous;
    Time64 next;
    bool continues;
  };
  for (const CCase& c : {CCase{100, 100, true}, CCase{100, 101, true}, CCase{100, 102, false},
                         CCase{100, 99, false}, CCase{100, 100 - 3600, false}}) {
    EXPECT_EQ(ContinuesTransmission(c.previous, c.next), c.continues)
        << c.previous << " -> " << c.next;
  }
}

TEST(ToolTransmissionsTest, SplitterCutsAtGapsAndClockStepsBack) {
  CTransmissionSplitter splitter;
  std::vector<CTransmission> found;
  for (const Time64 t : GappyStamps()) {
    if (const auto done = splitter.Add(t)) found.push_back(*done);
  }
  if (const auto last = splitter.Finish()) found.push_back(*last);
  EXPECT_EQ(found, GappyTransmissions());
  EXPECT_EQ(splitter.Finish(), std::nullopt);
}

TEST(ToolTransmissionsTest, HoursFollowTheLocalClockIncludingHalfHourZones) {
  CTimeZone india("Asia/Kolkata");  // UTC+5:30 all year
  const Time64 noonLocal = LocalTimeFromFields(2026, 7, 3, 12, 0, 0);
  EXPECT_EQ(LocalHourStart(noonLocal + 3599), noonLocal);
  EXPECT_EQ(LocalHourStart(noonLocal + 3600), noonLocal + 3600);

  CHourTally tally;
  std::vector<CHourTalk> rows;
  for (const Time64 t : {noonLocal + 3598, noonLocal + 3599, noonLocal + 3600, noonLocal + 10}) {
    if (const auto done = tally.Add(t)) rows.push_back(*done);
  }
  if (const auto last = tally.Finish()) rows.push_back(*last);
  EXPECT_EQ(rows, (std::vector<CHourTalk>{{noonLocal, 2}, {noonLocal + 3600, 1}, {noonLocal, 1}}));
}

}  // namespace
}  // namespace harkdeck
