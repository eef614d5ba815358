#pragma once

#include <QColor>
#include <QPixmap>
#include <QSize>
#include <QString>

// Pixel art of the panel, drawn once when the window is created.
namespace harkdeck::art {

inline const QColor kNavy(0, 0, 132);       // 256-colour images
inline const QColor kDeepNavy(0, 0, 128);   // 16-colour images and the panel
inline const QColor kKhaki(206, 206, 165);  // key faces
inline const QColor kLabelBlue(0, 0, 255);
inline const QColor kYellow(255, 255, 0);

enum class CKeyPress { kRaised, kSunken };
enum class CKeyDot { kNone, kPaleYellow, kYellow, kRed, kGreen };
enum class CArrow { kLeft, kRight };

// A khaki key with a blue italic label.
QPixmap DrawKey(QSize size, const QString& label, CKeyPress press, CKeyDot dot);
QPixmap DrawArrowKey(QSize size, CArrow arrow);
QPixmap DrawNavy(QSize size, const QColor& navy = kNavy);

// Read-out glyphs: embossed light khaki on navy. A glyph is '0'..'9', '-' or ':'.
QPixmap DrawReadoutGlyph(QSize size, char glyph);
QPixmap DrawNowLabel(QSize size);

enum class CPose { kWalk0, kWalk1, kWalk2, kWalk3, kStanding, kCrouched };
QPixmap DrawFigure(QSize size, CPose pose);
QPixmap DrawStatusMarker(QSize size);
QPixmap DrawProgramIcon(int size);

}  // namespace harkdeck::art
