#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>

#include "platform/qt/panel_art.h"

namespace harkdeck::art {

namespace {

const QColor kOutline(44, 44, 28);
const QColor kBevelLight(250, 250, 228);
const QColor kBevelDark(118, 118, 80);
const QColor kPressedShadow(92, 92, 60);
const QColor kPressedLight(228, 228, 196);

// The key's body without its label; gives the face rectangle.
QRect DrawKeyBody(QPainter& painter, QSize size, CKeyPress press) {
  const int w = size.width();
  const int h = size.height();
  const int bevel = h >= 20 ? 2 : 1;
  const bool raised = press == CKeyPress::kRaised;

  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kOutline);
  painter.drawRoundedRect(QRectF(0, 0, w, h), 2.5, 2.5);
  painter.setRenderHint(QPainter::Antialiasing, false);

  painter.fillRect(1, 1, w - 2, h - 2, raised ? kBevelDark : kPressedLight);
  painter.fillRect(1, 1, w - 2 - bevel, h - 2 - bevel, raised ? kBevelLight : kPressedShadow);
  const QRect face(1 + bevel, 1 + bevel, w - 2 - 2 * bevel, h - 2 - 2 * bevel);
  QLinearGradient shade(face.topLeft(), face.bottomLeft());
  if (raised) {
    shade.setColorAt(0.0, QColor(222, 222, 186));
    shade.setColorAt(0.5, kKhaki);
    shade.setColorAt(1.0, QColor(192, 192, 150));
  } else {
    shade.setColorAt(0.0, QColor(188, 188, 148));
    shade.setColorAt(1.0, QColor(204, 204, 163));
  }
  painter.fillRect(face, shade);
  return face;
}

// The largest label that fits: the plain face first, the condensed one for
// long words rather than a small plain one.
QFont LabelFont(const QString& label, QRect room) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setItalic(true);
  const int largest = std::min(17, room.height() + 1);
  const auto fits = [&] { return QFontMetrics(font).horizontalAdvance(label) <= room.width(); };
  for (int pixels = largest; pixels >= 14; --pixels) {
    font.setPixelSize(pixels);
    if (fits()) return font;
  }
  font.setFamily(QStringLiteral("DejaVu Sans Condensed"));
  for (int pixels = largest; pixels > 6; --pixels) {
    font.setPixelSize(pixels);
    if (fits()) return font;
  }
  return font;
}

QColor DotColour(CKeyDot dot) {
  switch (dot) {
    case CKeyDot::kNone:
    case CKeyDot::kPaleYellow:
      return {255, 255, 168};
    case CKeyDot::kYellow:
      return {255, 240, 0};
    case CKeyDot::kRed:
      return {240, 16, 16};
    case CKeyDot::kGreen:
      return {24, 220, 40};
  }
  return {255, 255, 168};
}

// A small lamp: dark rim, the colour, a glint.
void DrawDot(QPainter& painter, QPointF centre, CKeyDot dot) {
  const QColor colour = DotColour(dot);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(QPen(QColor(96, 96, 64), 1.0));
  QRadialGradient glow(centre - QPointF(1.2, 1.2), 4.5);
  glow.setColorAt(0.0, Qt::white);
  glow.setColorAt(0.35, colour.lighter(115));
  glow.setColorAt(1.0, colour.darker(125));
  painter.setBrush(glow);
  painter.drawEllipse(centre, 4.0, 4.0);
}

}  // namespace

QPixmap DrawKey(QSize size, const QString& label, CKeyPress press, CKeyDot dot) {
  QPixmap pixmap(size);
  pixmap.fill(kNavy);
  QPainter painter(&pixmap);
  const QRect face = DrawKeyBody(painter, size, press);
  const int shift = press == CKeyPress::kSunken ? 2 : 0;
  if (!label.isEmpty()) {
    const QRect room = face.adjusted(5, 1, -5, -1);
    painter.setFont(LabelFont(label, room));
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const QRect text = room.translated(shift, shift);
    painter.setPen(QColor(255, 255, 235, 150));
    painter.drawText(text.translated(1, 1), Qt::AlignCenter, label);
    painter.setPen(kLabelBlue);
    painter.drawText(text, Qt::AlignCenter, label);
  }
  if (dot != CKeyDot::kNone) {
    DrawDot(painter, QPointF(size.width() - 10.5 + shift / 2, 9.5 + shift / 2), dot);
  }
  return pixmap;
}

QPixmap DrawArrowKey(QSize size, CArrow arrow) {
  QPixmap pixmap(size);
  pixmap.fill(kNavy);
  QPainter painter(&pixmap);
  const QRectF face = DrawKeyBody(painter, size, CKeyPress::kRaised);
  const QPointF c = face.center();
  const qreal half = 7.0;
  const qreal dir = arrow == CArrow::kRight ? 1.0 : -1.0;
  QPainterPath triangle;
  triangle.moveTo(c.x() + dir * half, c.y());
  triangle.lineTo(c.x() - dir * half, c.y() - half - 2);
  triangle.lineTo(c.x() - dir * half, c.y() + half + 2);
  triangle.closeSubpath();
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 235, 150));
  painter.drawPath(triangle.translated(1, 1));
  painter.setBrush(kLabelBlue);
  painter.drawPath(triangle);
  return pixmap;
}

QPixmap DrawNavy(QSize size, const QColor& navy) {
  QPixmap pixmap(size);
  pixmap.fill(navy);
  return pixmap;
}

}  // namespace harkdeck::art
