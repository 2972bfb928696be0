#pragma once

#include <functional>

#include <QPoint>
#include <QWidget>

namespace wendaro {

// The top-level widget of a small tool window. A press on its background (any
// spot that no control takes) can drag the window; Escape closes it; every
// close by the user or by `close()` is announced through `onClose` first.
class FloatingWindow : public QWidget {
  Q_OBJECT

 public:
  explicit FloatingWindow(QWidget* parent = nullptr);

  void setMovableByBackground(bool movable) { movableByBackground_ = movable; }
  bool isMovableByBackground() const { return movableByBackground_; }
  // Runs when the window is about to close, before it hides.
  void setOnClose(std::function<void()> onClose) { onClose_ = std::move(onClose); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool movableByBackground_ = false;
  bool dragging_ = false;
  // Where the drag started: the pointer and the window's top-left corner.
  QPoint dragStartPointer_;
  QPoint dragStartPosition_;
  std::function<void()> onClose_;
};

}  // namespace wendaro
