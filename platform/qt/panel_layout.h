#pragma once

#include <QRect>
#include <span>

namespace harkdeck {

enum class CControlKind { kButton, kBitmap, kGroupBox, kMeter, kSlider, kText, kCentredText };

// One control of the main window's template; positions in dialog units.
struct CTemplateControl {
  int id;  // -1: fixed, never addressed
  CControlKind kind;
  int x;
  int y;
  int width;
  int height;
  int image;  // initial bitmap of button and bitmap controls
  const char* text;
};

// The controls of the main window in template order.
std::span<const CTemplateControl> PanelControls();

// Dialog units of the panel's 8-point font at 96 dpi.
QRect FromDialogUnits(int x, int y, int width, int height);

}  // namespace harkdeck
