#pragma once

#include <cstddef>
#include <string>

#include "platform/geometry.h"
#include "platform/image.h"

namespace wendaro {

class WindowDelegate;

enum class WindowButtonKind : int { Close = 0, Miniaturize = 1, Zoom = 2 };

// The floating window level: above ordinary windows.
inline constexpr int kFloatingWindowLevel = 3;

class WindowButton {
 public:
  virtual ~WindowButton() = default;
  virtual void setHidden(bool hidden) = 0;
};

class Window {
 public:
  virtual ~Window() = default;
  virtual Rect frame() const = 0;
  virtual void setFrameOrigin(Point origin) = 0;
  virtual void setMovableByWindowBackground(bool movable) = 0;
  // The window's button of that kind, or nothing when it has none.
  virtual WindowButton* standardWindowButton(WindowButtonKind kind) = 0;
  virtual void setLevel(int level) = 0;
  virtual std::string title() const = 0;
  virtual void setTitle(const std::string& title) = 0;
  // Shows the window in front of the others and gives it the keyboard.
  virtual void makeKeyAndOrderFront() = 0;
  // Hides the window; its delegate hears `windowWillClose` first.
  virtual void close() = 0;
  virtual void setDelegate(WindowDelegate* delegate) = 0;
  // With no responder: ends the text editing in progress in the window, which
  // delivers the edit to the control's delegate before this returns.
  virtual void makeFirstResponder(std::nullptr_t) = 0;
};

class WindowDelegate {
 public:
  virtual ~WindowDelegate() = default;
  virtual void windowWillClose(Window& window) = 0;
};

class ImageView {
 public:
  virtual ~ImageView() = default;
  virtual void setImage(ImageRef image) = 0;
};

}  // namespace wendaro
