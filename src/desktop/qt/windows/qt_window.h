#pragma once

#include <array>
#include <memory>

#include "desktop/qt/windows/floating_window.h"
#include "platform/window.h"

namespace wendaro {

// A window of the interface file, in the core's terms. Frames are the outer
// frames of the window in the core's screen coordinates (origin at the bottom
// left of the desktop, y up).
//
// Placement: a position the core sets is kept wholly on the screen that holds
// it. When the core shows the window without having placed it since it was
// last shown (the tray icon's place is unknown), the window appears below the
// mouse pointer instead, again kept on the screen.
class QtWindow final : public Window {
 public:
  explicit QtWindow(std::unique_ptr<FloatingWindow> widget);
  ~QtWindow() override;
  QtWindow(const QtWindow&) = delete;
  QtWindow& operator=(const QtWindow&) = delete;

  Rect frame() const override;
  void setFrameOrigin(Point origin) override;
  void setMovableByWindowBackground(bool movable) override;
  // The buttons exist on every window; hiding one removes it from the title
  // bar (the window manager draws them).
  WindowButton* standardWindowButton(WindowButtonKind kind) override;
  // The floating level keeps the window above ordinary windows.
  void setLevel(int level) override;
  std::string title() const override;
  void setTitle(const std::string& title) override;
  void makeKeyAndOrderFront() override;
  // Ends any in-place editing, tells the delegate, then hides the window. A
  // close by the user (title bar, Escape) takes the same road.
  void close() override;
  void setDelegate(WindowDelegate* delegate) override;
  // Ends the in-place editing in the window's tables; the edit reaches the
  // table's text delegate before this returns.
  void makeFirstResponder(std::nullptr_t) override;

  FloatingWindow& widget() { return *widget_; }

 private:
  class Button;
  void setFlag(Qt::WindowType flag, bool on);
  void willClose();
  void placeBelowPointer();
  void moveKeepingOnScreen(const QRect& frame);

  std::unique_ptr<FloatingWindow> widget_;
  std::array<std::unique_ptr<Button>, 3> buttons_;
  WindowDelegate* delegate_ = nullptr;
  // Whether the core set the position since the window was last shown.
  bool placedByCore_ = false;
};

}  // namespace wendaro
