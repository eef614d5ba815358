#pragma once

#include <span>
#include <string_view>

namespace harkdeck {

// One key of the terminal panel: the button it presses and whether Ctrl is
// taken as held (the terminal cannot report Ctrl with a letter key).
struct CConsoleKey {
  char key;
  int controlId;
  bool ctrl;
  std::string_view label;
};

std::span<const CConsoleKey> ConsoleKeys();
const CConsoleKey* FindConsoleKey(char key);

// Moves of the "Vox level" slider, which has no button.
inline constexpr char kSliderUpKey = ']';
inline constexpr char kSliderDownKey = '[';
inline constexpr int kSliderKeyStep = 5;

}  // namespace harkdeck
