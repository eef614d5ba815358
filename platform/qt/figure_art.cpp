#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <numbers>

#include "platform/qt/panel_art.h"

namespace harkdeck::art {

namespace {

const QColor kFarLimb(160, 160, 0);

struct CLimb {
  QPointF joint;
  QPointF end;
  QPointF tip;  // toe or hand; equal to end when there is none
};

struct CBody {
  QPointF head;
  qreal headRadius;
  QPointF neck;
  QPointF hip;
  CLimb nearArm, farArm, nearLeg, farLeg;
};

// Facing right; the near side is drawn bright and in front.
CBody Pose(CPose pose) {
  const QPointF neck(24, 13.5);
  const QPointF hip(23, 27);
  const CLimb armBack{{20, 20}, {17, 25}, {17, 25}};
  const CLimb armFore{{27, 20}, {30, 24.5}, {30, 24.5}};
  const CLimb armDown1{{21.5, 21}, {19.5, 26.5}, {19.5, 26.5}};
  const CLimb armDown2{{26, 21}, {28.5, 26}, {28.5, 26}};
  const CLimb legFore{{27.5, 34.5}, {30, 42.5}, {33.5, 42.5}};
  const CLimb legBack{{19, 35}, {14.5, 41}, {17, 43}};
  const CLimb legSupport{{23.5, 35}, {22.5, 42.5}, {26, 42.5}};
  const CLimb legSwing{{29, 33}, {26, 40}, {29.5, 40.5}};
  switch (pose) {
    case CPose::kWalk0:
      return {{25.5, 8}, 4.5, neck, hip, armBack, armFore, legFore, legBack};
    case CPose::kWalk1:
      return {{25.5, 8.5}, 4.5, neck, hip, armDown1, armDown2, legSupport, legSwing};
    case CPose::kWalk2:
      return {{25.5, 8}, 4.5, neck, hip, armFore, armBack, legBack, legFore};
    case CPose::kWalk3:
      return {{25.5, 8.5}, 4.5, neck, hip, armDown2, armDown1, legSwing, legSupport};
    case CPose::kStanding:
      return {{23, 7.5},
              4.5,
              {23, 13.5},
              {23, 27.5},
              {{26, 20.5}, {27, 27}, {27, 27}},
              {{20, 20.5}, {19, 27}, {19, 27}},
              {{25, 35}, {26, 42.5}, {28.5, 42.5}},
              {{21, 35}, {20, 42.5}, {22.5, 42.5}}};
    case CPose::kCrouched:
      return {{34, 25.5},
              4.2,
              {29.5, 29},
              {16, 26.5},
              {{31, 35.5}, {32, 42.5}, {34.5, 42.5}},
              {{29.5, 35.5}, {30, 42.5}, {32.5, 42.5}},
              {{24, 36}, {17.5, 42.5}, {20.5, 42.5}},
              {{10, 34}, {4.5, 40.5}, {6.5, 43}}};
  }
  return Pose(CPose::kStanding);
}

void DrawLimb(QPainter& painter, QPointF from, const CLimb& limb, const QColor& colour) {
  painter.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  QPainterPath path(from);
  path.lineTo(limb.joint);
  path.lineTo(limb.end);
  path.lineTo(limb.tip);
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(path);
}

}  // namespace

QPixmap DrawFigure(QSize size, CPose pose) {
  QPixmap pixmap(size);
  pixmap.fill(kDeepNavy);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  const CBody body = Pose(pose);
  const QPointF shoulder = body.neck + (body.hip - body.neck) * 0.12;
  DrawLimb(painter, body.hip, body.farLeg, kFarLimb);
  DrawLimb(painter, shoulder, body.farArm, kFarLimb);
  painter.setPen(QPen(kYellow, 3.2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(body.neck, body.hip);
  painter.setPen(Qt::NoPen);
  painter.setBrush(kYellow);
  painter.drawEllipse(body.head, body.headRadius, body.headRadius);
  DrawLimb(painter, body.hip, body.nearLeg, kYellow);
  DrawLimb(painter, shoulder, body.nearArm, kYellow);
  return pixmap;
}

QPixmap DrawStatusMarker(QSize size) {
  QPixmap pixmap(size);
  pixmap.fill(kDeepNavy);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  QPainterPath arc(QPointF(1.5, size.height() - 1.5));
  arc.quadTo(QPointF(2.5, 2.0), QPointF(size.width() - 1.5, 1.5));
  painter.setPen(QPen(kYellow, 1.4, Qt::SolidLine, Qt::RoundCap));
  painter.drawPath(arc);
  return pixmap;
}

QPixmap DrawProgramIcon(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.scale(size / 32.0, size / 32.0);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 224));
  painter.drawRoundedRect(QRectF(0, 0, 32, 32), 4, 4);

  // The antenna first, so the clock sits on its foot.
  painter.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(20, 10), QPointF(24.5, 2.5));
  painter.setPen(Qt::NoPen);
  painter.setBrush(Qt::white);
  painter.drawEllipse(QPointF(24.5, 2.5), 1.6, 1.6);

  const QPointF centre(16, 19.5);
  painter.setPen(QPen(Qt::black, 1.2));
  painter.setBrush(kYellow);
  painter.drawEllipse(centre, 11, 11);
  for (int hour = 0; hour < 12; ++hour) {
    const double angle = hour * std::numbers::pi / 6.0;
    const QPointF dir(std::sin(angle), -std::cos(angle));
    const qreal inner = hour % 3 == 0 ? 7.0 : 8.3;
    painter.setPen(QPen(Qt::black, hour % 3 == 0 ? 1.8 : 1.1));
    painter.drawLine(centre + dir * inner, centre + dir * 9.8);
  }
  painter.setPen(QPen(Qt::black, 1.8, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, centre + QPointF(-4.6, -2.6));  // hour hand at ten
  painter.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(centre, centre + QPointF(6.4, -3.7));  // minute hand at two
  return pixmap;
}

}  // namespace harkdeck::art
