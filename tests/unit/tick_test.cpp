#include "panel/panel_ids.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kT = 1'700'000'000;

class TickTest : public CRecorderFixture {
 protected:
  TickTest() {
    clock.Set(kT);
    Start();
  }
};

TEST_F(TickTest, ArmedRecordingWaitsWhileBeginEqualsNow) {
  dlg->m_beginTime = kT + 1;
  dlg->m_endTime = kT + 60;
  dlg->m_armed = 1;
  TickAt(kT + 1);
  EXPECT_EQ(dlg->m_armed, 1);
  EXPECT_EQ(dlg->m_displayMode, 0);
  TickAt(kT + 2);
  EXPECT_EQ(dlg->m_armed, 0);
  EXPECT_EQ(dlg->m_displayMode, 3);
}

TEST_F(TickTest, IdleClampRaisesBeginToNowAndEndToBegin) {
  dlg->m_beginTime = kT - 100;
  dlg->m_endTime = kT - 200;
  TickAt(kT + 5);
  EXPECT_EQ(dlg->m_beginTime, kT + 5);
  EXPECT_EQ(dlg->m_endTime, kT + 5);

  dlg->m_endTime = kT + 90;
  TickAt(kT + 6);
  EXPECT_EQ(dlg->m_beginTime, kT + 6);
  EXPECT_EQ(dlg->m_endTime, kT + 90) << "a later end time is left alone";
}

TEST_F(TickTest, TimesAreLeftAloneWhileArmed) {
  dlg->m_beginTime = kT + 100;
  dlg->m_endTime = kT + 50;
  dlg->m_armed = 1;
  TickAt(kT + 10);
  EXPECT_EQ(dlg->m_beginTime, kT + 100);
  EXPECT_EQ(dlg->m_endTime, kT + 50);
}

TEST_F(TickTest, WelcomeMessageShowsFromFirstTickAndClearsAtSixSeconds) {
  EXPECT_EQ(window.Image(kCtlMarker), kBmpMarkerLit);
  TickAt(kT);
  EXPECT_EQ(window.Text(kCtlStatus), "Welcome to Harkdeck.  Click on 'Help' for user information.");
  TickAt(kT + 5);
  EXPECT_FALSE(window.Text(kCtlStatus).empty());
  EXPECT_EQ(window.Image(kCtlMarker), kBmpMarkerLit);
  TickAt(kT + 6);
  EXPECT_EQ(window.Text(kCtlStatus), "");
  EXPECT_EQ(window.Image(kCtlMarker), kBmpMarkerDark);
}

TEST_F(TickTest, NewerMessageRestartsTheSixSeconds) {
  TickAt(kT + 4);
  dlg->OnVox();
  EXPECT_EQ(dlg->m_statusTime, kT + 4);
  TickAt(kT + 9);
  EXPECT_EQ(window.Text(kCtlStatus), "Vox enabled");
  TickAt(kT + 10);
  EXPECT_EQ(window.Text(kCtlStatus), "");
}

TEST_F(TickTest, ClockSetBackLeavesTheMessageStanding) {
  TickAt(kT - 3600);
  EXPECT_FALSE(window.Text(kCtlStatus).empty());
  TickAt(kT + 5);
  EXPECT_FALSE(window.Text(kCtlStatus).empty());
  TickAt(kT + 6);
  EXPECT_EQ(window.Text(kCtlStatus), "");
}

TEST_F(TickTest, StatusStampedInsideATickUsesThatTicksReading) {
  dlg->m_recording = 0;
  window.onModal = [this] { clock.Advance(30); };
  clock.Set(kT + 2);
  dlg->OnTick();
  EXPECT_EQ(dlg->m_statusTime, kT);  // untouched, nothing set
  dlg->SetStatus("x");
  EXPECT_EQ(dlg->m_statusTime, kT + 2);
}

TEST_F(TickTest, BoxOpenedInsideATickLetsNoOtherTickIn) {
  int nested = 0;
  // A script line that fails inside the tick raises an error box; while it is
  // open the window timer keeps firing.
  window.onModal = [&] {
    ++nested;
    TickAt(kT + 50);
  };
  dlg->m_beginTime = kT + 1;
  dlg->m_endTime = kT;
  dlg->m_armed = 1;
  dlg->m_displayMode = 1;
  TickAt(kT + 3);
  EXPECT_EQ(nested, 0) << "no box without a failure";
}

}  // namespace
}  // namespace harkdeck::test
