#pragma once

#include <string>

#include "panel/panel_ids.h"
#include "panel/readout_digits.h"
#include "tests/fakes/fake_window.h"

namespace harkdeck::test {

// One image as the character it shows: digits, '-' for the dash, ' ' for the
// blank, '?' for anything else.
inline char ImageChar(int bitmapId) {
  if (bitmapId == kBmpDigit0) return '0';
  if (bitmapId >= kBmpDigit1 && bitmapId < kBmpDigit1 + 9)
    return static_cast<char>('1' + bitmapId - kBmpDigit1);
  if (bitmapId == kBmpDash) return '-';
  if (bitmapId == kBmpBlankDigit) return ' ';
  return '?';
}

// A read-out as text, "YYYY-MM-DD hh:mm:ss", from its fourteen digits and two
// separator images.
inline std::string ReadoutText(const CDigitImages& digits, int separator1 = kBmpDash,
                               int separator2 = kBmpDash) {
  std::string text;
  for (int i = 0; i < 14; ++i) {
    if (i == 4) text += ImageChar(separator1);
    if (i == 6) text += ImageChar(separator2);
    if (i == 8) text += ' ';
    if (i == 10 || i == 12) text += ':';
    text += ImageChar(digits[i]);
  }
  return text;
}

inline std::string TopReadout(const CFakeWindow& window) {
  CDigitImages digits{};
  for (int i = 0; i < 14; ++i) digits[i] = window.Image(kCtlNowFirst + i);
  return ReadoutText(digits);
}

inline std::string SecondReadout(const CFakeWindow& window) {
  CDigitImages digits{};
  for (int i = 0; i < 14; ++i) digits[i] = window.Image(kCtlYear1000 + i);
  return ReadoutText(digits, window.Image(kCtlSeparator1), window.Image(kCtlSeparator2));
}

}  // namespace harkdeck::test
