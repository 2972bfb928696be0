#include "desktop/qt/windows/qt_window.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "desktop/qt/screen_coordinates.h"
#include "desktop/qt/windows/centered_text_cell_delegate.h"
#include "desktop/qt/windows/window_placement.h"

namespace wendaro {

namespace {

QList<QRect> screenAreas() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas.append(screen->availableGeometry());
  return areas;
}

Qt::WindowType flagOf(WindowButtonKind kind) {
  switch (kind) {
    case WindowButtonKind::Close: return Qt::WindowCloseButtonHint;
    case WindowButtonKind::Miniaturize: return Qt::WindowMinimizeButtonHint;
    case WindowButtonKind::Zoom: return Qt::WindowMaximizeButtonHint;
  }
  return Qt::WindowCloseButtonHint;
}

// Every title-bar element is named, so that hiding one button keeps the rest.
constexpr Qt::WindowFlags kInitialFlags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                                          Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;

}  // namespace

class QtWindow::Button final : public WindowButton {
 public:
  Button(QtWindow& window, Qt::WindowType flag) : window_(window), flag_(flag) {}
  void setHidden(bool hidden) override { window_.setFlag(flag_, !hidden); }

 private:
  QtWindow& window_;
  Qt::WindowType flag_;
};

QtWindow::QtWindow(std::unique_ptr<FloatingWindow> widget) : widget_(std::move(widget)) {
  widget_->setWindowFlags(kInitialFlags);
  for (auto kind : {WindowButtonKind::Close, WindowButtonKind::Miniaturize, WindowButtonKind::Zoom}) {
    buttons_[static_cast<std::size_t>(kind)] = std::make_unique<Button>(*this, flagOf(kind));
  }
  widget_->setOnClose([this] { willClose(); });
}

QtWindow::~QtWindow() { widget_->setOnClose({}); }

Rect QtWindow::frame() const { return toCoreFrame(widget_->frameGeometry(), desktopGeometry()); }

void QtWindow::setFrameOrigin(Point origin) {
  const QSize size = widget_->frameGeometry().size();
  moveKeepingOnScreen(QRect(toQtTopLeft(origin, size.height(), desktopGeometry()), size));
  placedByCore_ = true;
}

void QtWindow::setMovableByWindowBackground(bool movable) { widget_->setMovableByBackground(movable); }

WindowButton* QtWindow::standardWindowButton(WindowButtonKind kind) {
  return buttons_[static_cast<std::size_t>(kind)].get();
}

void QtWindow::setLevel(int level) { setFlag(Qt::WindowStaysOnTopHint, level >= kFloatingWindowLevel); }

std::string QtWindow::title() const { return widget_->windowTitle().toStdString(); }

void QtWindow::setTitle(const std::string& title) { widget_->setWindowTitle(QString::fromStdString(title)); }

void QtWindow::makeKeyAndOrderFront() {
  if (!placedByCore_) placeBelowPointer();
  placedByCore_ = false;
  widget_->show();
  widget_->raise();
  widget_->activateWindow();
}

void QtWindow::close() {
  willClose();
  widget_->hide();
}

void QtWindow::setDelegate(WindowDelegate* delegate) { delegate_ = delegate; }

void QtWindow::makeFirstResponder(std::nullptr_t) {
  for (QAbstractItemView* view : widget_->findChildren<QAbstractItemView*>()) {
    if (auto* cells = qobject_cast<CenteredTextCellDelegate*>(view->itemDelegate())) cells->endEditing();
  }
}

// Changing the flags of a shown window hides it; it comes back where it was.
void QtWindow::setFlag(Qt::WindowType flag, bool on) {
  if (widget_->windowFlags().testFlag(flag) == on) return;
  const bool wasVisible = widget_->isVisible();
  const QPoint position = widget_->pos();
  widget_->setWindowFlag(flag, on);
  widget_->move(position);
  if (wasVisible) widget_->show();
}

// A typed name is not lost with the window: the editing ends first.
void QtWindow::willClose() {
  makeFirstResponder(nullptr);
  if (delegate_) delegate_->windowWillClose(*this);
}

void QtWindow::placeBelowPointer() {
  moveKeepingOnScreen(belowPointer(QCursor::pos(), widget_->frameGeometry().size()));
}

void QtWindow::moveKeepingOnScreen(const QRect& frame) {
  widget_->move(keptInside(frame, screenAreaHolding(frame, screenAreas())));
}

}  // namespace wendaro
