#include <string>

#include "panel/panel_ids.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {
namespace {

class StateImagesTest : public CRecorderFixture {
 protected:
  StateImagesTest() { Start(); }
  ~StateImagesTest() override { dlg->m_recording = dlg->m_playing = 0; }

  void SetState(int armed, int recording, int playing, int voxOn, int voxHang, int script) {
    dlg->m_armed = armed;
    dlg->m_recording = recording;
    dlg->m_playing = playing;
    dlg->m_voxOn = voxOn;
    dlg->m_voxHang = voxHang;
    dlg->m_scriptActive = script;
  }
};

TEST_F(StateImagesTest, EachControlFollowsTheState) {
  const struct {
    const char* name;
    int armed, recording, playing, voxOn, voxHang, script;
    int rec, arm, play, forward, back, vox, figure, scriptKey;
  } cases[] = {
      {"idle", 0, 0, 0, 0, 0, 0, 149, 145, 155, 183, 183, 170, 190, 202},
      {"armed", 1, 0, 0, 0, 0, 0, 149, 146, 155, 183, 183, 170, 191, 202},
      {"armed with vox", 1, 0, 0, 1, 0, 0, 149, 146, 155, 183, 183, 172, 191, 202},
      {"idle with vox and script", 0, 0, 0, 1, 3, 1, 149, 145, 155, 183, 183, 172, 190, 203},
      {"recording", 0, 1, 0, 0, 0, 0, 150, 145, 155, 183, 183, 170, 186, 202},
      {"recording, gate closed", 0, 1, 0, 1, 0, 0, 150, 145, 155, 183, 183, 173, 185, 202},
      {"recording, gate open", 0, 1, 0, 1, 4, 0, 150, 145, 155, 183, 183, 174, 186, 202},
      {"playing", 0, 0, 1, 0, 0, 0, 149, 145, 156, 193, 192, 170, 186, 202},
      {"playing with vox", 0, 0, 1, 1, 0, 0, 149, 145, 156, 193, 192, 172, 185, 202},
  };
  for (const auto& c : cases) {
    SetState(c.armed, c.recording, c.playing, c.voxOn, c.voxHang, c.script);
    dlg->m_walkFrame = 0;
    window.images.clear();
    dlg->ShowStateImages();
    SCOPED_TRACE(c.name);
    EXPECT_EQ(window.Image(kCtlRec), c.rec);
    EXPECT_EQ(window.Image(kCtlArm), c.arm);
    EXPECT_EQ(window.Image(kCtlPlay), c.play);
    EXPECT_EQ(window.Image(kCtlForward), c.forward);
    EXPECT_EQ(window.Image(kCtlBack), c.back);
    EXPECT_EQ(window.Image(kCtlVox), c.vox);
    EXPECT_EQ(window.Image(kCtlStop), kBmpStop);
    EXPECT_EQ(window.Image(kCtlFigure), c.figure);
    EXPECT_EQ(window.Image(kCtlScript), c.scriptKey);
    EXPECT_EQ(window.Image(kCtlMarker), 0) << "the marker is the status line's";
  }
}

TEST_F(StateImagesTest, FigureWalksOneStepPerTickAndHoldsWhileTheGateIsClosed) {
  SetState(0, 1, 0, 1, 4, 0);
  std::string phases;
  const auto step = [&] {
    dlg->ShowStateImages();
    phases += std::to_string(window.Image(kCtlFigure) - kBmpWalk0);
  };
  step();
  step();
  dlg->m_voxHang = 0;
  step();
  step();
  dlg->m_voxHang = 2;
  step();
  step();
  step();
  EXPECT_EQ(phases, "1222301");
}

TEST_F(StateImagesTest, NextWalkResumesWhereTheLastStopped) {
  SetState(0, 0, 1, 0, 0, 0);
  dlg->ShowStateImages();
  dlg->ShowStateImages();
  SetState(0, 0, 0, 0, 0, 0);
  dlg->ShowStateImages();
  EXPECT_EQ(window.Image(kCtlFigure), kBmpStanding);
  SetState(0, 1, 0, 0, 0, 0);
  dlg->ShowStateImages();
  EXPECT_EQ(window.Image(kCtlFigure), kBmpWalk0 + 3);
}

TEST_F(StateImagesTest, TickReplacesAFlashedKey) {
  dlg->OnCommand(kCtlStop);
  EXPECT_EQ(window.Image(kCtlStop), kBmpStopSunken);
  Tick();
  EXPECT_EQ(window.Image(kCtlStop), kBmpStop);
}

}  // namespace
}  // namespace harkdeck::test
