#pragma once

#include <array>
#include <string_view>

namespace harkdeck {

// A line of static text in a small modal dialog, in dialog units.
struct CTemplateLine {
  int x;
  int y;
  int width;
  std::string_view text;
};

// The small modal dialogs: the About box and the "Helpful hints" dialogs.
// Each has static lines and one OK button; sizes are in dialog units.
struct CDialogTemplate {
  int id;
  std::string_view title;
  int width;
  int height;
  bool showsIcon;
  std::array<CTemplateLine, 4> lines;
  int lineCount;
  int okX;
  int okY;
  int okWidth;
  int okHeight;
};

inline constexpr CDialogTemplate kAboutTemplate{
    100, "About Harkdeck", 235, 55, true,
    {{{40, 10, 119, "Harkdeck Version 1.7"}}}, 1,
    178, 7, 50, 14};

inline constexpr CDialogTemplate kInvalidTemplate{
    167, "Helpful hints", 126, 54, false,
    {{{9, 7, 102, "Use the 'edit' button to adjust the "},
      {9, 17, 110, "begin time, end time, or the duration"},
      {9, 27, 82, "before arming a recording."}}},
    3, 82, 36, 37, 11};

inline constexpr CDialogTemplate kForeignWaveTemplate{
    176, "Helpful hints", 186, 48, false,
    {{{9, 6, 170, "The wave file that you have chosen, was not recorded"},
      {9, 15, 170, "by this application.  To replay it, use the system"},
      {9, 24, 170, "wave player (eg Windows Media Player)"},
      {9, 33, 170, "in preference to this application."}}},
    4, 138, 27, 41, 14};

inline constexpr CDialogTemplate kNoTimeTemplate{
    177, "Helpful hints", 186, 49, false,
    {{{9, 9, 170, "There is no time file associated with this wave file."},
      {9, 18, 170, "The recorded time that is displayed during replay will"},
      {9, 27, 170, "be meaningless."}}},
    3, 129, 28, 50, 14};

// The date-time edit dialog: a caption, one edit box, Cancel and OK.
inline constexpr std::string_view kDateTimeDialogTitle = "Edit Datetime";
inline constexpr int kDateTimeDialogId = 197;

// The main window.
inline constexpr int kMainDialogId = 102;
inline constexpr std::string_view kMainTitle = "Harkdeck";
inline constexpr int kMainWidthDu = 369;
inline constexpr int kMainHeightDu = 157;
inline constexpr std::string_view kAboutMenuText = "&About Harkdeck...";

}  // namespace harkdeck
