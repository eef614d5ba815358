#pragma once

#include <QLabel>

namespace harkdeck {

// A bitmap static: shows one panel image at its top-left corner, sized to the
// image; with the notify style a single click is reported.
class CImageControl final : public QLabel {
  Q_OBJECT

 public:
  CImageControl(QWidget* parent, bool notify);

  // A null pixmap leaves the control empty. Showing the image already shown
  // does nothing at all.
  void ShowImage(int bitmapId, const QPixmap* pixmap);
  int BitmapId() const { return m_bitmapId; }

 signals:
  void clicked(Qt::KeyboardModifiers modifiers);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  bool m_notify;
  bool m_pressed = false;
  int m_bitmapId = 0;
};

}  // namespace harkdeck
