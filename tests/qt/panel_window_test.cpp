#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "panel/panel_ids.h"
#include "platform/qt/hint_dialogs.h"
#include "tests/qt/panel_test_support.h"

namespace harkdeck::test {
namespace {

constexpr Time64 kT = 1'299'488'702;  // 2011-03-07 09:05:02 UTC

// Counts the paints a widget receives.
class CPaintCounter final : public QObject {
 public:
  explicit CPaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

std::string LabelText(QWidget* widget) {
  return static_cast<QLabel*>(widget)->text().toStdString();
}

TEST(PanelWindowTest, ControlsStandAtTheirTemplatePlaces) {
  CQtPanel panel("places", kT);
  QCoreApplication::processEvents();
  auto& w = panel.window;
  EXPECT_EQ(w.size(), QSize(553, 255));
  const struct {
    int id;
    QRect place;
  } cases[] = {
      {kCtlArm, {10, 125, 80, 46}},         {kCtlRec, {102, 123, 80, 46}},
      {kCtlVox, {463, 198, 80, 46}},        {kCtlMode, {10, 68, 80, 46}},
      {kCtlEditBar, {142, 97, 298, 16}},    {kCtlNowFirst, {102, 19, 19, 27}},
      {kCtlSecond1, {451, 68, 19, 27}},     {kCtlForward, {441, 125, 33, 46}},
      {kCtlDoubleStep, {409, 125, 29, 15}}, {kCtlHalveStep, {409, 156, 29, 15}},
      {kCtlFigure, {27, 196, 46, 46}},      {kCtlMarker, {73, 196, 15, 14}},
      {kCtlMeter, {489, 22, 18, 136}},      {kCtlSlider, {516, 19, 19, 146}},
      {kCtlStatus, {22, 178, 451, 13}},     {kCtlStepText, {412, 141, 24, 13}},
  };
  for (const auto& c : cases) {
    ASSERT_NE(w.Control(c.id), nullptr) << c.id;
    EXPECT_EQ(w.Control(c.id)->geometry(), c.place) << c.id;
  }
  // Template images until the first tick.
  EXPECT_EQ(w.ImageOf(kCtlArm), kBmpArm);
  EXPECT_EQ(w.ImageOf(kCtlSeparator2), kBmpDash);
  EXPECT_EQ(w.ImageOf(kCtlBack), kBmpBack);
  EXPECT_EQ(w.ImageOf(kCtlMarker), kBmpMarkerDark);
  EXPECT_EQ(LabelText(w.Control(kCtlStepText)), "2");

  auto* meter = static_cast<QProgressBar*>(w.Control(kCtlMeter));
  auto* slider = static_cast<QSlider*>(w.Control(kCtlSlider));
  EXPECT_EQ(meter->orientation(), Qt::Vertical);
  EXPECT_EQ(meter->maximum(), 100);
  EXPECT_EQ(slider->maximum(), 100);
  EXPECT_EQ(slider->value(), 0);
  EXPECT_TRUE(slider->invertedAppearance()) << "0 at the top";
}

TEST(PanelWindowTest, ArmClickRoutesToItsHandlerAndRefusesWithTheHint) {
  CQtPanel panel("arm", kT);
  QStringList hint;
  panel.Run([&] {
    // Begin equals end after start-up: the hint explains why nothing arms.
    CQtPanel::OnNextModal([&](QWidget* modal) {
      CQtPanel::Screenshot(modal, "hint-167");
      hint << modal->windowTitle();
      for (auto* line : modal->findChildren<QLabel*>()) hint << line->text();
      modal->findChild<QPushButton*>(QStringLiteral("ok"))->click();
    });
    panel.Click(kCtlArm);
    EXPECT_EQ(panel.dialog.m_armed, 0);

    panel.dialog.m_endTime = kT + 600;
    panel.Click(kCtlArm);
    EXPECT_EQ(panel.dialog.m_armed, 1);
    EXPECT_EQ(panel.window.ImageOf(kCtlArm), kBmpArmSunken);
    EXPECT_EQ(LabelText(panel.window.Control(kCtlStatus)),
              "Recording armed.  Recording will start after specified countdown.");
    panel.dialog.OnTimer(kTimerId);
    EXPECT_EQ(panel.window.ImageOf(kCtlArm), kBmpArmLit);
    EXPECT_EQ(panel.window.ImageOf(kCtlFigure), kBmpCrouched);
    EXPECT_EQ(panel.window.ImageOf(kCtlMode), kBmpModeCountdown);

    panel.Click(kCtlStop);
    EXPECT_EQ(panel.dialog.m_armed, 0);
    EXPECT_EQ(LabelText(panel.window.Control(kCtlStatus)), "Arming cancelled");
  });
  EXPECT_EQ(hint,
            (QStringList{"Helpful hints", "Use the 'edit' button to adjust the ",
                         "begin time, end time, or the duration", "before arming a recording."}));
}

TEST(PanelWindowTest, RecThenStopByMouse) {
  CQtPanel panel("recstop", kT);
  panel.Run([&] {
    auto& w = panel.window;
    panel.Click(kCtlRec);
    EXPECT_EQ(panel.dialog.m_armed, 1);
    EXPECT_EQ(panel.dialog.m_endTime, kT + 300);
    EXPECT_EQ(w.ImageOf(kCtlRec), kBmpRecSunken);
    panel.dialog.OnTimer(kTimerId);  // the clock has not moved: still armed
    EXPECT_EQ(w.ImageOf(kCtlRec), kBmpRec);
    EXPECT_EQ(w.ImageOf(kCtlArm), kBmpArmLit);
    EXPECT_EQ(w.ImageOf(kCtlMode), kBmpModeDuration);
    EXPECT_EQ(w.ImageOf(kCtlFigure), kBmpCrouched);

    panel.Click(kCtlStop);
    EXPECT_EQ(panel.dialog.m_armed, 0);
    EXPECT_EQ(w.ImageOf(kCtlStop), kBmpStopSunken);
    EXPECT_EQ(w.ImageOf(kCtlArm), kBmpArm);
    EXPECT_EQ(LabelText(w.Control(kCtlStatus)), "Arming cancelled");
    EXPECT_EQ(w.ImageOf(kCtlMarker), kBmpMarkerLit);
    panel.dialog.OnTimer(kTimerId);
    EXPECT_EQ(w.ImageOf(kCtlStop), kBmpStop);
    EXPECT_EQ(w.ImageOf(kCtlFigure), kBmpStanding);
  });
}

// A widget sees a double click as press, release, double-click, release.
void DoubleClick(QWidget* control) {
  QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(5, 5));
  QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(5, 5));
}

TEST(PanelWindowTest, DoubleClickRunsTheHandlerOnce) {
  CQtPanel panel("double", kT);
  panel.Run([&] {
    DoubleClick(panel.window.Control(kCtlVox));
    EXPECT_EQ(panel.dialog.m_voxOn, 1);
    DoubleClick(panel.window.Control(kCtlDoubleStep));
    EXPECT_EQ(panel.dialog.m_skipSeconds, 8);
  });
}

TEST(PanelWindowTest, CtrlIsReadAtTheClick) {
  CQtPanel panel("ctrl", kT);
  bool withCtrl = false;
  bool without = true;
  panel.Run([&] {
    panel.Click(kCtlMode, Qt::ControlModifier);
    withCtrl = panel.window.IsCtrlDown();
    panel.Click(kCtlMode);
    without = panel.window.IsCtrlDown();
  });
  EXPECT_TRUE(withCtrl);
  EXPECT_FALSE(without);
}

TEST(PanelWindowTest, ClickOnAPlainBitmapDoesNothing) {
  CQtPanel panel("plain", kT);
  panel.Run([&] {
    panel.Click(kCtlYear1000);
    panel.Click(kCtlFigure);
    EXPECT_EQ(panel.dialog.m_statusText,
              "Welcome to Harkdeck.  Click on 'Help' for user information.");
  });
}

TEST(PanelWindowTest, TheLongestStatusMessageShowsWhole) {
  CQtPanel panel("status", kT);
  panel.Run([&] {
    panel.Click(kCtlRec);
    auto* status = static_cast<QLabel*>(panel.window.Control(kCtlStatus));
    EXPECT_EQ(status->text().toStdString(),
              "The recording time (5 mins) can be adjusted by editing the 'Duration' (click on "
              "'Countdown')");
    EXPECT_LE(status->fontMetrics().horizontalAdvance(status->text()), status->width());
    panel.Screenshot("panel-long-status");
    panel.Click(kCtlVox);
    EXPECT_EQ(status->font(), panel.window.font()) << "a short message in the panel's font";
    panel.dialog.m_armed = 0;
  });
}

TEST(PanelWindowTest, AnImageAlreadyShownIsNotRepainted) {
  CQtPanel panel("repaint", kT);
  panel.Run([&] {
    panel.dialog.OnTimer(kTimerId);
    QTest::qWait(50);
    CPaintCounter digit(panel.window.Control(kCtlSecond1));
    CPaintCounter arm(panel.window.Control(kCtlArm));
    for (int i = 0; i < 5; ++i) panel.dialog.OnTimer(kTimerId);
    QTest::qWait(50);
    EXPECT_EQ(digit.paints, 0);
    EXPECT_EQ(arm.paints, 0);
    panel.clock.Advance(1);
    panel.dialog.OnTimer(kTimerId);
    QTest::qWait(50);
    EXPECT_GT(digit.paints, 0);
    EXPECT_EQ(arm.paints, 0);
  });
}

TEST(PanelWindowTest, DateTimeDialogGivesWhatWasTypedOnOkOnly) {
  CQtPanel panel("edit", kT);
  std::string text = "2011-03-07 09:05:02";
  bool accepted = false;
  QString title;
  panel.Run([&] {
    CQtPanel::OnNextModal([&](QWidget* modal) {
      CQtPanel::Screenshot(modal, "edit-197");
      title = modal->windowTitle();
      auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("edit"));
      edit->setText(QStringLiteral("2012-01-01 00:00:00"));
      QTest::keyClick(edit, Qt::Key_Return);
    });
    accepted = panel.window.EditText("Begin date-time", &text);
    EXPECT_EQ(panel.window.isVisible(), true) << "Enter belongs to the edit dialog";

    std::string kept = "0 00:05:00";
    CQtPanel::OnNextModal([&](QWidget* modal) {
      modal->findChild<QLineEdit*>(QStringLiteral("edit"))->setText(QStringLiteral("junk"));
      QTest::keyClick(modal, Qt::Key_Escape);
    });
    EXPECT_FALSE(panel.window.EditText("Duration", &kept));
    EXPECT_EQ(kept, "0 00:05:00");
  });
  EXPECT_EQ(title, "Edit Datetime");
  EXPECT_TRUE(accepted);
  EXPECT_EQ(text, "2012-01-01 00:00:00");
}

TEST(PanelWindowTest, TemplateDialogsShowEveryLineWholeAndEscapeCancels) {
  CQtPanel panel("templates", kT);
  const CPanelBitmaps bitmaps;
  const struct {
    const CDialogTemplate* dialog;
    const char* shot;
  } cases[] = {{&kAboutTemplate, "about-100"},
               {&kInvalidTemplate, "hint-167"},
               {&kForeignWaveTemplate, "hint-176"},
               {&kNoTimeTemplate, "hint-177"}};
  panel.Run([&] {
    for (const auto& c : cases) {
      SCOPED_TRACE(c.shot);
      QStringList lines;
      bool okIsDefault = false;
      CQtPanel::OnNextModal([&](QWidget* modal) {
        CQtPanel::Screenshot(modal, c.shot);
        for (auto* label : modal->findChildren<QLabel*>()) {
          if (label->text().isEmpty()) continue;  // the icon
          lines << label->text();
          EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(label->text()));
          EXPECT_LE(label->geometry().right(), modal->width());
        }
        okIsDefault = modal->findChild<QPushButton*>(QStringLiteral("ok"))->isDefault();
        QTest::keyClick(modal, Qt::Key_Escape);
      });
      EXPECT_EQ(RunTemplateDialog(&panel.window, *c.dialog, bitmaps.ProgramIcon()),
                CDialogResult::kCancel);
      ASSERT_EQ(lines.size(), c.dialog->lineCount);
      for (int i = 0; i < c.dialog->lineCount; ++i) {
        EXPECT_EQ(lines[i].toStdString(), c.dialog->lines[i].text);
      }
      EXPECT_TRUE(okIsDefault);
    }
    CQtPanel::OnNextModal([](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Return); });
    EXPECT_EQ(RunTemplateDialog(&panel.window, kNoTimeTemplate, QIcon()), CDialogResult::kOk);
  });
}

TEST(PanelWindowTest, Screenshots) {
  CQtPanel panel("screens", kT);
  panel.Run([&] {
    panel.dialog.OnTimer(kTimerId);
    panel.Screenshot("panel-idle");

    // The busy states are shown without a tick, so no sound device is asked
    // for blocks.
    auto& d = panel.dialog;
    d.m_beginTime = kT - 75;
    d.m_endTime = kT + 225;
    d.m_recording = 1;
    d.m_voxOn = 1;
    d.m_voxHang = 3;
    d.m_displayMode = 3;
    d.SetStatus("Vox enabled");
    panel.window.SetMeter(64);
    panel.window.SetSliderPosition(35);
    d.ShowNow();
    d.ShowModeDisplay();
    panel.Screenshot("panel-recording");

    d.m_recording = 0;
    d.m_voxOn = 0;
    d.m_playing = 1;
    d.m_displayMode = 4;
    d.m_recordedTime = kT - 86'400 * 3 - 3'600;
    d.m_skipSeconds = 16;
    d.m_scriptActive = 1;
    d.SetStatus("Playback started");
    panel.window.SetMeter(0);
    d.ShowNow();
    d.ShowModeDisplay();
    panel.Screenshot("panel-playing");
    d.m_playing = 0;
    d.m_scriptActive = 0;

    d.m_armed = 1;
    d.m_displayMode = 2;
    d.ShowModeDisplay();
    d.OnArm();
    d.OnRec();
    d.OnVox();
    panel.Screenshot("panel-keys-pressed");
    d.m_armed = 0;
  });
}

}  // namespace
}  // namespace harkdeck::test
