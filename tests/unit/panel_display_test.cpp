#include "panel/panel_ids.h"
#include "tests/fakes/readout_text.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kT = 1'299'488'702;  // 2011-03-07 09:05:02 UTC

class PanelDisplayTest : public CRecorderFixture {
 protected:
  PanelDisplayTest() {
    clock.Set(kT);
    Start();
  }
};

TEST_F(PanelDisplayTest, TopReadoutShowsTheTicksClock) {
  TickAt(kT + 3'600 + 61);
  EXPECT_EQ(TopReadout(window), "2011-03-07 10:06:03");
}

TEST_F(PanelDisplayTest, SecondReadoutFollowsTheMode) {
  dlg->m_beginTime = kT + 100;
  dlg->m_endTime = kT + 100 + 90'061;
  dlg->m_recordedTime = kT - 86'400;
  const struct {
    int mode;
    int label;
    const char* text;
  } cases[] = {
      {0, kBmpModeBegin, "2011-03-07 09:06:42"},
      {1, kBmpModeEnd, "2011-03-08 10:07:43"},
      {2, kBmpModeDuration, "       001 01:01:01"},
      {3, kBmpModeCountdown, "       000 00:01:40"},  // to the begin time
      {4, kBmpModeRecorded, "2011-03-06 09:05:02"},
  };
  for (const auto& c : cases) {
    dlg->m_displayMode = c.mode;
    dlg->m_armed = 1;  // so the idle tick leaves the times alone
    TickAt(kT);
    EXPECT_EQ(window.Image(kCtlMode), c.label) << c.mode;
    EXPECT_EQ(SecondReadout(window), c.text) << c.mode;
  }
}

TEST_F(PanelDisplayTest, CountdownRunsToTheEndTimeWhileRecording) {
  dlg->m_beginTime = kT - 10;
  dlg->m_endTime = kT + 125;
  dlg->m_recording = 1;
  dlg->m_displayMode = 3;
  dlg->ShowModeDisplay();
  EXPECT_EQ(SecondReadout(window), "       000 00:02:05");
  dlg->m_recording = 0;
}

TEST_F(PanelDisplayTest, PassedTargetsAndBadTimesReadZeros) {
  dlg->m_beginTime = kT + 50;
  dlg->m_endTime = kT;
  dlg->m_displayMode = 2;
  dlg->ShowModeDisplay();
  EXPECT_EQ(SecondReadout(window), "       000 00:00:00");

  dlg->m_displayMode = 4;
  dlg->m_recordedTime = -1;
  dlg->ShowModeDisplay();
  EXPECT_EQ(SecondReadout(window), "0000-00-00 00:00:00");
}

TEST_F(PanelDisplayTest, RecFromIdleShowsFiveMinutesOfDuration) {
  TickAt(kT);
  dlg->OnRec();
  dlg->ShowModeDisplay();
  EXPECT_EQ(window.Image(kCtlMode), kBmpModeDuration);
  EXPECT_EQ(SecondReadout(window), "       000 00:05:00");
}

TEST_F(PanelDisplayTest, ModeKeyCyclesTheFirstFourAndLeavesPlaybackAlone) {
  const struct {
    int from;
    int to;
  } cases[] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 4}};
  for (const auto& c : cases) {
    dlg->m_displayMode = c.from;
    dlg->OnCommand(kCtlMode);
    EXPECT_EQ(dlg->m_displayMode, c.to) << c.from;
  }
}

TEST_F(PanelDisplayTest, StepKeysDoubleAndHalveWithinOneToSixtyFour) {
  std::string shown;
  for (int i = 0; i < 5; ++i) {
    dlg->OnCommand(kCtlDoubleStep);
    TickAt(kT);
    shown += window.Text(kCtlStepText) + " ";
  }
  EXPECT_EQ(shown, "8s 16s 32s 64s 64s ");

  shown.clear();
  dlg->m_skipSeconds = 4;
  for (int i = 0; i < 3; ++i) {
    dlg->OnCommand(kCtlHalveStep);
    TickAt(kT);
    shown += window.Text(kCtlStepText) + " ";
  }
  EXPECT_EQ(shown, "2s 1s 1s ");
}

TEST_F(PanelDisplayTest, StepTextShowsFromTheFirstTick) {
  EXPECT_EQ(window.Text(kCtlStepText), "");
  TickAt(kT);
  EXPECT_EQ(window.Text(kCtlStepText), "4s");
}

}  // namespace
}  // namespace harkdeck::test
