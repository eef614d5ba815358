#pragma once

#include <map>
#include <string>
#include <vector>

namespace harkdeck {

// What the recorder has set on its window, kept by the terminal panel so that
// it can be drawn as text.
struct CConsolePanel {
  std::map<int, int> images;  // control id -> bitmap id
  std::map<int, std::string> texts;
  int meter = 0;
  int slider = 0;
  std::string title;
  std::string state;  // idle, armed, recording or playing
  bool voxOn = false;
  bool scriptActive = false;
};

// The read-out whose first digit is the control `firstControl` (the top one or
// the second one), as its digit images spell it.
std::string ReadoutText(const CConsolePanel& panel, int firstControl);
// The label of the second read-out's mode key.
std::string ModeLabel(const CConsolePanel& panel);
// The whole panel, one string per screen line, keys included.
std::vector<std::string> RenderPanel(const CConsolePanel& panel, int width);

}  // namespace harkdeck
