#include "desktop/qt/windows/floating_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

namespace wendaro {

FloatingWindow::FloatingWindow(QWidget* parent) : QWidget(parent) {}

void FloatingWindow::closeEvent(QCloseEvent* event) {
  if (onClose_) onClose_();
  event->accept();
}

void FloatingWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}

// Presses that no control took arrive here from the spot under the pointer.
void FloatingWindow::mousePressEvent(QMouseEvent* event) {
  if (!movableByBackground_ || event->button() != Qt::LeftButton) {
    QWidget::mousePressEvent(event);
    return;
  }
  // The window manager moves the window where it can (and must, on Wayland);
  // otherwise the window follows the pointer itself.
  if (windowHandle() && windowHandle()->startSystemMove()) {
    event->accept();
    return;
  }
  dragging_ = true;
  dragStartPointer_ = event->globalPosition().toPoint();
  dragStartPosition_ = pos();
  event->accept();
}

void FloatingWindow::mouseMoveEvent(QMouseEvent* event) {
  if (!dragging_) {
    QWidget::mouseMoveEvent(event);
    return;
  }
  move(dragStartPosition_ + (event->globalPosition().toPoint() - dragStartPointer_));
  event->accept();
}

void FloatingWindow::mouseReleaseEvent(QMouseEvent* event) {
  if (dragging_ && event->button() == Qt::LeftButton) {
    dragging_ = false;
    event->accept();
    return;
  }
  QWidget::mouseReleaseEvent(event);
}

}  // namespace wendaro
