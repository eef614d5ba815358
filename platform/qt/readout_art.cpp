#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "platform/qt/panel_art.h"

namespace harkdeck::art {

namespace {

const QColor kGlyphFace(230, 230, 184);
const QColor kGlyphLight(255, 255, 240);
const QColor kGlyphShadow(0, 0, 48);

QFont GlyphFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setPixelSize(40);
  return font;
}

// The glyph's outline fitted into the read-out cell, digits all the same height.
QPainterPath GlyphPath(QRectF box, char glyph) {
  QPainterPath path;
  if (glyph == '-') {
    path.addRect(QRectF(box.left() + 2, box.center().y() - 1.5, box.width() - 4, 3.5));
    return path;
  }
  if (glyph == ':') {
    const qreal x = box.center().x() - 1.75;
    path.addRect(QRectF(x, box.top() + box.height() * 0.28, 3.5, 3.5));
    path.addRect(QRectF(x, box.top() + box.height() * 0.68, 3.5, 3.5));
    return path;
  }
  const QFont font = GlyphFont();
  QPainterPath eight;
  eight.addText(0, 0, font, QStringLiteral("8"));
  const QRectF reference = eight.boundingRect();
  path.addText(0, 0, font, QString(QChar(glyph)));
  const qreal sx = box.width() / reference.width();
  const qreal sy = box.height() / reference.height();
  QTransform fit;
  const QRectF own = path.boundingRect();
  fit.translate(box.center().x() - own.center().x() * sx, box.top() - reference.top() * sy);
  fit.scale(sx, sy);
  return fit.map(path);
}

}  // namespace

QPixmap DrawReadoutGlyph(QSize size, char glyph) {
  QPixmap pixmap(size);
  pixmap.fill(kNavy);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setPen(Qt::NoPen);
  const QRectF box(2.5, 3, size.width() - 5.5, 21);
  const QPainterPath path = GlyphPath(box, glyph);
  // Lit from the upper left: a pale rim above, a dark one below.
  painter.setBrush(kGlyphShadow);
  painter.drawPath(path.translated(1, 1));
  painter.setBrush(kGlyphLight);
  painter.drawPath(path.translated(-0.7, -0.7));
  QLinearGradient face(box.topLeft(), box.bottomLeft());
  face.setColorAt(0.0, kGlyphFace.lighter(104));
  face.setColorAt(1.0, kGlyphFace.darker(112));
  painter.setBrush(face);
  painter.drawPath(path);
  return pixmap;
}

QPixmap DrawNowLabel(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(kNavy);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setBold(true);
  font.setItalic(true);
  font.setPixelSize(24);
  QPainterPath word;
  word.addText(0, 0, font, QStringLiteral("Now"));
  const QRectF bounds = word.boundingRect();
  word.translate(QPointF(size.width() / 2.0, size.height() / 2.0) - bounds.center());
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 40));
  painter.drawPath(word.translated(1.5, 1.5));
  painter.setBrush(kYellow);
  painter.drawPath(word);
  return pixmap;
}

}  // namespace harkdeck::art
