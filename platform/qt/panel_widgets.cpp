#include "platform/qt/panel_widgets.h"

#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace harkdeck {

namespace {

const QColor kPanelNavy(0, 0, 128);
const QColor kPanelYellow(255, 255, 0);
const QColor kEtchDark(0, 0, 64);
const QColor kEtchLight(96, 96, 200);

class CGroupFrame final : public QWidget {
 public:
  explicit CGroupFrame(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect frame = rect().adjusted(0, 0, -2, -2);
    painter.setPen(kEtchDark);
    painter.drawRect(frame);
    painter.setPen(kEtchLight);
    painter.drawRect(frame.translated(1, 1));
  }
};

// Fills from the bottom through green, yellow and red zones that stay put,
// so the colour tells the level as well as the height.
class CLevelMeter final : public QProgressBar {
 public:
  explicit CLevelMeter(QWidget* parent) : QProgressBar(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect inside = rect().adjusted(1, 1, -1, -1);
    painter.setPen(kEtchDark);
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.drawLine(rect().topLeft(), rect().bottomLeft());
    painter.setPen(kEtchLight);
    painter.drawLine(rect().bottomLeft(), rect().bottomRight());
    painter.drawLine(rect().topRight(), rect().bottomRight());
    painter.fillRect(inside, QColor(0, 0, 56));
    const int span = maximum() - minimum();
    if (span <= 0) return;
    const int filled = inside.height() * (value() - minimum()) / span;
    if (filled <= 0) return;
    QLinearGradient zones(inside.bottomLeft(), inside.topLeft());
    zones.setColorAt(0.0, QColor(0, 200, 60));
    zones.setColorAt(0.6, QColor(120, 230, 0));
    zones.setColorAt(0.78, QColor(255, 230, 0));
    zones.setColorAt(1.0, QColor(255, 40, 0));
    painter.fillRect(QRect(inside.left(), inside.bottom() - filled + 1, inside.width(), filled),
                     zones);
  }
};

}  // namespace

void SetPanelColours(QWidget* panel) {
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, kPanelNavy);
  colours.setColor(QPalette::WindowText, kPanelYellow);
  colours.setColor(QPalette::Text, kPanelYellow);
  panel->setPalette(colours);
  panel->setAutoFillBackground(true);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(11);
  panel->setFont(font);
}

QWidget* MakeGroupBox(QWidget* panel, QRect place) {
  auto* frame = new CGroupFrame(panel);
  frame->setGeometry(place);
  return frame;
}

QProgressBar* MakeMeter(QWidget* panel, QRect place) {
  auto* meter = new CLevelMeter(panel);
  meter->setOrientation(Qt::Vertical);
  meter->setRange(0, 100);
  meter->setValue(0);
  meter->setTextVisible(false);
  meter->setGeometry(place);
  return meter;
}

QSlider* MakeSlider(QWidget* panel, QRect place) {
  auto* slider = new QSlider(Qt::Vertical, panel);
  slider->setRange(0, 100);
  slider->setInvertedAppearance(true);
  slider->setInvertedControls(true);
  slider->setTickPosition(QSlider::NoTicks);
  slider->setFocusPolicy(Qt::StrongFocus);
  slider->setStyleSheet(
      QStringLiteral("QSlider::groove:vertical { background: rgb(0,0,56); width: 4px;"
                     " border: 1px solid rgb(96,96,200); border-radius: 2px; }"
                     "QSlider::handle:vertical { height: 9px; margin: 0 -6px; border-radius: 2px;"
                     " border: 1px solid rgb(44,44,28);"
                     " background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 rgb(250,250,228),"
                     " stop:0.5 rgb(206,206,165), stop:1 rgb(150,150,110)); }"));
  slider->setGeometry(place);
  return slider;
}

QLabel* MakeText(QWidget* panel, QRect place, const QString& text, bool centred) {
  auto* label = new QLabel(text, panel);
  label->setAlignment((centred ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
  label->setGeometry(place);
  // The panel's font runs a little wider than the template's: a fixed label
  // grows rather than clips.
  if (!text.isEmpty() && !centred) {
    label->resize(std::max(place.width(), label->fontMetrics().horizontalAdvance(text) + 1),
                  place.height());
  }
  return label;
}

void ShowFittedText(QLabel* label, const QString& text) {
  if (label->text() == text) return;
  const QFont panelFont = label->parentWidget()->font();
  QFont font = panelFont;
  if (QFontMetrics(font).horizontalAdvance(text) > label->width()) {
    font.setFamily(QStringLiteral("DejaVu Sans Condensed"));
    while (font.pixelSize() > 8 && QFontMetrics(font).horizontalAdvance(text) > label->width()) {
      font.setPixelSize(font.pixelSize() - 1);
    }
  }
  if (font != label->font()) label->setFont(font);
  label->setText(text);
}

}  // namespace harkdeck
