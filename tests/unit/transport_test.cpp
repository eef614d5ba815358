#include <string>
#include <vector>

#include "panel/panel_ids.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kT = 1'700'000'000;

enum class CState { kIdle, kArmed, kRecording, kPlaying };

class TransportTest : public CRecorderFixture {
 protected:
  TransportTest() {
    clock.Set(kT);
    Start();
    TickAt(kT);
    clock.Set(kT + 7);  // the welcome message has gone by the next tick
    TickAt(kT + 7);
  }
  ~TransportTest() override { dlg->m_recording = dlg->m_playing = 0; }

  void Enter(CState state) {
    dlg->m_beginTime = kT + 60;
    dlg->m_endTime = kT + 120;
    switch (state) {
      case CState::kIdle:
        break;
      case CState::kArmed:
        dlg->m_armed = 1;
        break;
      case CState::kRecording:
        dlg->m_recording = 1;
        break;
      case CState::kPlaying:
        dlg->m_playing = 1;
        break;
    }
    window.images.clear();
    dlg->m_statusText.clear();
  }
};

// Commands whose effect needs no sound device, by state.
TEST_F(TransportTest, CommandByState) {
  const struct {
    const char* name;
    CState state;
    int control;
    const char* status;
    int armed, recording, playing, mode;
    Time64 begin, end;
    std::vector<std::pair<int, int>> images;  // set by the command itself
  } cases[] = {
      {"arm idle",
       CState::kIdle,
       kCtlArm,
       "Recording armed.  Recording will start after specified countdown.",
       1,
       0,
       0,
       3,
       kT + 60,
       kT + 120,
       {{kCtlArm, kBmpArmSunken}}},
      {"arm armed",
       CState::kArmed,
       kCtlArm,
       "Arming cancelled.",
       0,
       0,
       0,
       1,
       kT + 60,
       kT + 120,
       {{kCtlArm, kBmpArmSunken}}},
      {"arm recording", CState::kRecording, kCtlArm, "", 0, 1, 0, 1, kT + 60, kT + 120, {}},
      {"arm playing", CState::kPlaying, kCtlArm, "", 0, 0, 1, 1, kT + 60, kT + 120, {}},
      {"rec idle",
       CState::kIdle,
       kCtlRec,
       "The recording time (5 mins) can be adjusted by editing the 'Duration' (click on "
       "'Countdown')",
       1,
       0,
       0,
       2,
       kT + 7,
       kT + 307,
       {{kCtlRec, kBmpRecSunken}}},
      {"rec armed",
       CState::kArmed,
       kCtlRec,
       "The recording time (5 mins) can be adjusted by editing the 'Duration' (click on "
       "'Countdown')",
       1,
       0,
       0,
       2,
       kT + 7,
       kT + 307,
       {{kCtlRec, kBmpRecSunken}}},
      {"rec recording",
       CState::kRecording,
       kCtlRec,
       "Recording ended",
       0,
       1,
       0,
       1,
       kT + 60,
       kT + 7,
       {{kCtlRec, kBmpRecSunken}}},
      {"rec playing",
       CState::kPlaying,
       kCtlRec,
       "",
       0,
       0,
       1,
       1,
       kT + 60,
       kT + 120,
       {{kCtlRec, kBmpRecSunken}}},
      {"stop idle",
       CState::kIdle,
       kCtlStop,
       "",
       0,
       0,
       0,
       1,
       kT + 60,
       kT + 120,
       {{kCtlStop, kBmpStopSunken}, {kCtlPlay, kBmpPlay}, {kCtlRec, kBmpRec}}},
      {"stop armed",
       CState::kArmed,
       kCtlStop,
       "Arming cancelled",
       0,
       0,
       0,
       1,
       kT + 60,
       kT + 120,
       {{kCtlStop, kBmpStopSunken}, {kCtlPlay, kBmpPlay}, {kCtlRec, kBmpRec}, {kCtlArm, kBmpArm}}},
      {"stop recording",
       CState::kRecording,
       kCtlStop,
       "Recording stopped",
       0,
       1,
       0,
       1,
       kT + 60,
       kT + 7,
       {{kCtlStop, kBmpStopSunken}, {kCtlPlay, kBmpPlay}, {kCtlRec, kBmpRec}}},
      {"play armed", CState::kArmed, kCtlPlay, "", 1, 0, 0, 1, kT + 60, kT + 120, {}},
      {"play recording", CState::kRecording, kCtlPlay, "", 0, 1, 0, 1, kT + 60, kT + 120, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    dlg->m_armed = dlg->m_recording = dlg->m_playing = 0;
    dlg->m_displayMode = 1;
    Enter(c.state);
    dlg->OnCommand(c.control);
    EXPECT_EQ(dlg->m_statusText, c.status);
    EXPECT_EQ(dlg->m_armed, c.armed);
    EXPECT_EQ(dlg->m_recording, c.recording);
    EXPECT_EQ(dlg->m_playing, c.playing);
    EXPECT_EQ(dlg->m_displayMode, c.mode);
    EXPECT_EQ(dlg->m_beginTime, c.begin);
    EXPECT_EQ(dlg->m_endTime, c.end);
    std::map<int, int> expected(c.images.begin(), c.images.end());
    if (*c.status != '\0') expected[kCtlMarker] = kBmpMarkerLit;
    EXPECT_EQ(window.images, expected);
    if (*c.status != '\0') {
      EXPECT_EQ(window.Text(kCtlStatus), c.status) << "shown at once";
    }
  }
}

TEST_F(TransportTest, VoxSwitchesInEveryStateAndLeavesTheHangAlone) {
  for (const CState state : {CState::kIdle, CState::kArmed, CState::kRecording, CState::kPlaying}) {
    Enter(state);
    dlg->m_voxHang = 3;
    dlg->OnCommand(kCtlVox);
    EXPECT_EQ(dlg->m_voxOn, 1);
    EXPECT_EQ(dlg->m_statusText, "Vox enabled");
    EXPECT_EQ(window.Image(kCtlVox), kBmpVoxSunken);
    dlg->OnCommand(kCtlVox);
    EXPECT_EQ(dlg->m_voxOn, 0);
    EXPECT_EQ(dlg->m_statusText, "Vox disabled");
    EXPECT_EQ(dlg->m_voxHang, 3);
    dlg->m_armed = dlg->m_recording = dlg->m_playing = 0;
  }
}

TEST_F(TransportTest, ArmWithoutASpanShowsTheHintOrStaysSilentUnderAScript) {
  Enter(CState::kIdle);
  dlg->m_endTime = dlg->m_beginTime;
  dlg->OnCommand(kCtlArm);
  EXPECT_EQ(window.dialogs, std::vector<int>{167});
  EXPECT_EQ(dlg->m_armed, 0);
  EXPECT_EQ(dlg->m_statusText, "");
  EXPECT_TRUE(window.images.empty());

  dlg->m_scriptActive = 1;
  dlg->m_endTime = dlg->m_beginTime - 1;
  dlg->OnArm();
  EXPECT_EQ(window.dialogs.size(), 1u);
  EXPECT_EQ(dlg->m_armed, 0);
  dlg->m_scriptActive = 0;
}

TEST_F(TransportTest, RecTwiceInOneSecondRearmsWithTheSameTimes) {
  Enter(CState::kIdle);
  dlg->OnCommand(kCtlRec);
  dlg->m_statusText.clear();
  dlg->OnCommand(kCtlRec);
  EXPECT_EQ(dlg->m_armed, 1);
  EXPECT_EQ(dlg->m_beginTime, kT + 7);
  EXPECT_EQ(dlg->m_endTime, kT + 307);
  EXPECT_FALSE(dlg->m_statusText.empty()) << "the message is repeated";
}

TEST_F(TransportTest, StopLeavesRecordedModeForBegin) {
  Enter(CState::kIdle);
  dlg->m_displayMode = 4;
  dlg->OnCommand(kCtlStop);
  EXPECT_EQ(dlg->m_displayMode, 0);
  dlg->m_displayMode = 2;
  dlg->OnCommand(kCtlStop);
  EXPECT_EQ(dlg->m_displayMode, 2);
}

TEST_F(TransportTest, FlagsOutsideZeroAndOneMakeTheCommandsDoNothing) {
  Enter(CState::kIdle);
  dlg->m_armed = 2;
  dlg->OnArm();
  EXPECT_EQ(dlg->m_armed, 2);
  dlg->m_armed = 0;
  dlg->m_voxOn = 5;
  dlg->OnVox();
  EXPECT_EQ(dlg->m_voxOn, 5);
  EXPECT_EQ(dlg->m_statusText, "");
  dlg->m_voxOn = 0;
}

}  // namespace
}  // namespace harkdeck::test
