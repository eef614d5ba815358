#include <string>
#include <utility>
#include <vector>

#include "panel/panel_ids.h"
#include "tests/fakes/recorder_fixture.h"

namespace harkdeck::test {
namespace {

const std::pair<std::string, std::string> kMixer{"pavucontrol", "--tab=4"};

class SoundSourceTest : public CRecorderFixture {
 protected:
  SoundSourceTest() {
    sound.inputs = {{"Card A", true}, {"Broken B", false}, {"Card C", true}, {"Card D", true}};
    Start();
  }

  std::vector<std::string> Questions() const {
    std::vector<std::string> texts;
    for (const auto& box : window.boxes) {
      EXPECT_EQ(box.kind, CBoxKind::kYesNo);
      texts.push_back(box.text);
    }
    return texts;
  }
};

TEST_F(SoundSourceTest, NoToEveryQuestionKeepsTheDefaultAndSkipsUnusableDevices) {
  dlg->m_soundCard = 3;
  dlg->ChooseSoundCard();
  EXPECT_EQ(dlg->m_soundCard, -1);
  EXPECT_EQ(Questions(), (std::vector<std::string>{"Use this soundcard? :\nCard A",
                                                   "Use this soundcard? :\nCard C",
                                                   "Use this soundcard? :\nCard D"}));
  EXPECT_EQ(shell.launched, std::vector{kMixer});
}

TEST_F(SoundSourceTest, YesChoosesTheDeviceNumberAndEndsTheQuestions) {
  window.yesNoAnswers = {CBoxAnswer::kNo, CBoxAnswer::kYes};
  dlg->ChooseSoundCard();
  EXPECT_EQ(dlg->m_soundCard, 2) << "the device's number, not the question's";
  EXPECT_EQ(window.boxes.size(), 2u);
  EXPECT_EQ(shell.launched, std::vector{kMixer});
}

TEST_F(SoundSourceTest, EveryPressStartsAgainFromDeviceZero) {
  window.yesNoAnswers = {CBoxAnswer::kNo, CBoxAnswer::kNo, CBoxAnswer::kYes};
  dlg->OnCommand(kCtlSource);
  ASSERT_EQ(dlg->m_soundCard, 3);
  window.boxes.clear();
  window.yesNoAnswers = {CBoxAnswer::kYes};
  dlg->OnCommand(kCtlSource);
  EXPECT_EQ(dlg->m_soundCard, 0);
  EXPECT_EQ(Questions(), std::vector<std::string>{"Use this soundcard? :\nCard A"});
}

TEST_F(SoundSourceTest, DeviceThatCannotDescribeItselfIsNotOffered) {
  sound.Fail(CSimOperation::kInputCaps, kMmNoDriver);
  dlg->ChooseSoundCard();
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_EQ(dlg->m_soundCard, -1);
  EXPECT_EQ(shell.launched, std::vector{kMixer});
}

TEST_F(SoundSourceTest, NoInputDevicesAsksNothingAndStillOpensTheMixer) {
  sound.inputs.clear();
  dlg->m_soundCard = 1;
  dlg->ChooseSoundCard();
  EXPECT_TRUE(window.boxes.empty());
  EXPECT_EQ(dlg->m_soundCard, -1);
  EXPECT_EQ(shell.launched, std::vector{kMixer});
}

TEST_F(SoundSourceTest, ChoiceIsSavedOnExitAndRestoredAtTheNextStart) {
  window.yesNoAnswers = {CBoxAnswer::kNo, CBoxAnswer::kYes};
  dlg->ChooseSoundCard();
  dlg->OnExit();
  EXPECT_EQ(settings.values.at("soundcard"), 2);
  Start();
  EXPECT_EQ(dlg->m_soundCard, 2);
}

}  // namespace
}  // namespace harkdeck::test
