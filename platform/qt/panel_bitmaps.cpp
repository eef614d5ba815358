#include "platform/qt/panel_bitmaps.h"

#include "panel/panel_ids.h"
#include "platform/qt/panel_art.h"

namespace harkdeck {

using namespace art;

namespace {
const QSize kKey(80, 46);
const QSize kCell(19, 27);
const QSize kFigure(46, 46);
}  // namespace

CPanelBitmaps::CPanelBitmaps() {
  const auto key = [&](int id, const char* label, CKeyPress press = CKeyPress::kRaised,
                       CKeyDot dot = CKeyDot::kNone) {
    m_images[id] = DrawKey(kKey, QString::fromLatin1(label), press, dot);
  };
  key(kBmpArm, "Arm");
  key(kBmpArmLit, "Arm", CKeyPress::kRaised, CKeyDot::kPaleYellow);
  key(kBmpArmSunken, "Arm", CKeyPress::kSunken, CKeyDot::kPaleYellow);
  key(kBmpRec, "Rec");
  key(kBmpRecLit, "Rec", CKeyPress::kRaised, CKeyDot::kPaleYellow);
  key(kBmpRecSunken, "Rec", CKeyPress::kSunken, CKeyDot::kPaleYellow);
  key(kBmpStop, "Stop");
  key(kBmpStopSunken, "Stop", CKeyPress::kSunken);
  key(kBmpPlay, "Play");
  key(kBmpPlayLit, "Play", CKeyPress::kRaised, CKeyDot::kPaleYellow);
  key(kBmpModeBegin, "Begin");
  key(kBmpModeEnd, "End");
  key(kBmpModeDuration, "Duration");
  key(kBmpModeCountdown, "Countdown");
  key(kBmpModeRecorded, "Recorded");
  key(kBmpVox, "Vox");
  key(kBmpVoxYellow, "Vox", CKeyPress::kRaised, CKeyDot::kYellow);
  key(kBmpVoxRed, "Vox", CKeyPress::kRaised, CKeyDot::kRed);
  key(kBmpVoxGreen, "Vox", CKeyPress::kRaised, CKeyDot::kGreen);
  key(kBmpVoxSunken, "Vox", CKeyPress::kSunken, CKeyDot::kYellow);
  key(kBmpSource, "Source");
  key(kBmpHelp, "Help");
  key(kBmpExit, "Exit");
  key(kBmpScript, "Script");
  key(kBmpScriptLit, "Script", CKeyPress::kRaised, CKeyDot::kPaleYellow);
  m_images[kBmpEditBar] =
      DrawKey(QSize(298, 16), QStringLiteral("edit"), CKeyPress::kRaised, CKeyDot::kNone);
  m_images[kBmpStepKey] = DrawKey(QSize(29, 15), QString(), CKeyPress::kRaised, CKeyDot::kNone);
  m_images[kBmpBack] = DrawArrowKey(QSize(32, 46), CArrow::kLeft);
  m_images[kBmpForward] = DrawArrowKey(QSize(33, 46), CArrow::kRight);
  m_images[kBmpArrowBlank] = DrawNavy(QSize(32, 46));

  for (int digit = 0; digit <= 9; ++digit) {
    const int id = digit == 0 ? kBmpDigit0 : kBmpDigit1 + digit - 1;
    // The nine is a row shorter than its fellows.
    const QSize size = digit == 9 ? QSize(19, 26) : kCell;
    m_images[id] = DrawReadoutGlyph(size, static_cast<char>('0' + digit));
  }
  m_images[kBmpDash] = DrawReadoutGlyph(kCell, '-');
  m_images[kBmpColon] = DrawReadoutGlyph(kCell, ':');
  m_images[kBmpBlankDigit] = DrawNavy(kCell);
  m_images[kBmpNow] = DrawNowLabel(kKey);

  for (int phase = 0; phase < 4; ++phase) {
    m_images[kBmpWalk0 + phase] = DrawFigure(kFigure, static_cast<CPose>(phase));
  }
  m_images[kBmpStanding] = DrawFigure(kFigure, CPose::kStanding);
  m_images[kBmpCrouched] = DrawFigure(kFigure, CPose::kCrouched);
  m_images[kBmpMarkerLit] = DrawStatusMarker(QSize(15, 14));
  m_images[kBmpMarkerDark] = DrawNavy(QSize(15, 14), kDeepNavy);

  m_icon.addPixmap(DrawProgramIcon(32));
  m_icon.addPixmap(DrawProgramIcon(16));
}

const QPixmap* CPanelBitmaps::Find(int bitmapId) const {
  const auto found = m_images.find(bitmapId);
  return found == m_images.end() ? nullptr : &found->second;
}

}  // namespace harkdeck
