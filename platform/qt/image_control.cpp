#include "platform/qt/image_control.h"

#include <QMouseEvent>

namespace harkdeck {

CImageControl::CImageControl(QWidget* parent, bool notify) : QLabel(parent), m_notify(notify) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  if (!notify) setAttribute(Qt::WA_TransparentForMouseEvents);
}

void CImageControl::ShowImage(int bitmapId, const QPixmap* pixmap) {
  if (bitmapId == m_bitmapId) return;
  m_bitmapId = bitmapId;
  if (pixmap == nullptr) {
    clear();
    return;
  }
  setPixmap(*pixmap);
  resize(pixmap->size());
}

void CImageControl::mousePressEvent(QMouseEvent* event) {
  if (m_notify && event->button() == Qt::LeftButton) m_pressed = true;
  event->accept();
}

void CImageControl::mouseReleaseEvent(QMouseEvent* event) {
  const bool click = m_pressed && event->button() == Qt::LeftButton &&
                     rect().contains(event->position().toPoint());
  m_pressed = false;
  event->accept();
  if (click) emit clicked(event->modifiers());
}

void CImageControl::mouseDoubleClickEvent(QMouseEvent* event) {
  // The second press of a double click is not a click of its own.
  m_pressed = false;
  event->accept();
}

}  // namespace harkdeck
