#pragma once

// Control ids and bitmap ids of the main window: the panel's vocabulary.
namespace harkdeck {

// Controls.
inline constexpr int kCtlArm = 1032;
inline constexpr int kCtlRec = 1033;
inline constexpr int kCtlStop = 1034;
inline constexpr int kCtlPlay = 1035;
inline constexpr int kCtlMode = 1036;
inline constexpr int kCtlSeparator2 = 1037;
inline constexpr int kCtlSeparator1 = 1038;
inline constexpr int kCtlVox = 1039;
inline constexpr int kCtlStatus = 1040;
inline constexpr int kCtlBack = 1041;
inline constexpr int kCtlExit = 1042;
inline constexpr int kCtlSource = 1043;
inline constexpr int kCtlHelp = 1044;
inline constexpr int kCtlFigure = 1049;
inline constexpr int kCtlForward = 1050;
inline constexpr int kCtlEditBar = 1053;
inline constexpr int kCtlMarker = 1055;
inline constexpr int kCtlScript = 1056;
inline constexpr int kCtlStepText = 1057;
inline constexpr int kCtlHalveStep = 1058;
inline constexpr int kCtlDoubleStep = 1059;
inline constexpr int kCtlMeter = 1030;
inline constexpr int kCtlSlider = 1031;
// Top read-out: year thousands .. second units (1000..1013).
inline constexpr int kCtlNowFirst = 1000;
// Second read-out digits.
inline constexpr int kCtlYear1000 = 1015;
inline constexpr int kCtlYear100 = 1016;
inline constexpr int kCtlYear10 = 1017;
inline constexpr int kCtlYear1 = 1018;
inline constexpr int kCtlMonth10 = 1019;
inline constexpr int kCtlMonth1 = 1020;
inline constexpr int kCtlDay10 = 1021;
inline constexpr int kCtlDay1 = 1022;
inline constexpr int kCtlHour10 = 1023;
inline constexpr int kCtlHour1 = 1024;
inline constexpr int kCtlMinute10 = 1025;
inline constexpr int kCtlMinute1 = 1026;
inline constexpr int kCtlSecond10 = 1027;
inline constexpr int kCtlSecond1 = 1028;

// Bitmaps.
inline constexpr int kBmpDigit0 = 133;  // digits 1..9 are 136..144
inline constexpr int kBmpDigit1 = 136;
inline constexpr int kBmpDash = 134;
inline constexpr int kBmpColon = 135;
inline constexpr int kBmpBlankDigit = 164;
inline constexpr int kBmpArm = 145;
inline constexpr int kBmpArmLit = 146;
inline constexpr int kBmpArmSunken = 147;
inline constexpr int kBmpRec = 149;
inline constexpr int kBmpRecLit = 150;
inline constexpr int kBmpRecSunken = 151;
inline constexpr int kBmpNow = 152;
inline constexpr int kBmpStop = 153;
inline constexpr int kBmpPlay = 155;
inline constexpr int kBmpPlayLit = 156;
inline constexpr int kBmpStopSunken = 159;
inline constexpr int kBmpModeBegin = 160;
inline constexpr int kBmpModeEnd = 161;
inline constexpr int kBmpModeDuration = 162;
inline constexpr int kBmpModeCountdown = 163;
inline constexpr int kBmpModeRecorded = 166;
inline constexpr int kBmpVox = 170;
inline constexpr int kBmpVoxYellow = 172;
inline constexpr int kBmpVoxRed = 173;
inline constexpr int kBmpVoxGreen = 174;
inline constexpr int kBmpVoxSunken = 175;
inline constexpr int kBmpSource = 178;
inline constexpr int kBmpHelp = 179;
inline constexpr int kBmpExit = 180;
inline constexpr int kBmpArrowBlank = 183;
inline constexpr int kBmpWalk0 = 185;  // phases 185..188
inline constexpr int kBmpStanding = 190;
inline constexpr int kBmpCrouched = 191;
inline constexpr int kBmpBack = 192;
inline constexpr int kBmpForward = 193;
inline constexpr int kBmpEditBar = 196;
inline constexpr int kBmpMarkerLit = 199;
inline constexpr int kBmpMarkerDark = 200;
inline constexpr int kBmpScript = 202;
inline constexpr int kBmpScriptLit = 203;
inline constexpr int kBmpStepKey = 204;

inline constexpr int kTimerId = 2;
inline constexpr int kTickPeriodMs = 190;
inline constexpr int kAboutCommand = 16;

}  // namespace harkdeck
