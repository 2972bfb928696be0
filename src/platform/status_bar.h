#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/actions.h"
#include "platform/geometry.h"
#include "platform/image.h"
#include "platform/menu.h"

namespace wendaro {

// The clickable part of a status item.
class StatusBarButton {
 public:
  virtual ~StatusBarButton() = default;
  virtual void highlight(bool flag) = 0;
  virtual bool isHighlighted() const = 0;
  // The menu shown on a click (the main icon's).
  virtual void setMenu(Menu* menu) = 0;
  // The screen frame of the window that holds the button, or nothing when the
  // button has no window (its place on screen is unknown).
  virtual std::optional<Rect> windowFrame() const = 0;
};

// An icon in the system menu bar (the tray).
class StatusItem {
 public:
  virtual ~StatusItem() = default;
  // May be absent.
  virtual StatusBarButton* button() = 0;
  virtual void setToolTip(const std::string& toolTip) = 0;
  virtual void setImage(ImageRef image) = 0;
  virtual void setAction(Action action) = 0;
  // Shows the menu from this item. When it closes, the platform calls
  // `StatusBarButtonEvents::didCloseMenu` with this item's button.
  virtual void popUpStatusItemMenu(Menu& menu) = 0;
};

using StatusItemRef = std::shared_ptr<StatusItem>;

class StatusBar {
 public:
  virtual ~StatusBar() = default;
  // A new status item, already shown.
  virtual StatusItemRef statusItemWithLength(double length) = 0;
  // The item leaves the bar.
  virtual void removeStatusItem(StatusItem& item) = 0;
  // Closes the menu if it is open.
  virtual void cancelTracking(Menu& menu) = 0;
};

// The mouse and menu callbacks of every status bar button of the application.
// The platform calls them on its delegate instead of its own handling.
class StatusBarButtonEvents {
 public:
  virtual ~StatusBarButtonEvents() = default;
  virtual void mouseDown(StatusBarButton& button) = 0;
  virtual void mouseUp(StatusBarButton& button) = 0;
  // A press of the secondary (right) button.
  virtual void rightMouseDown(StatusBarButton& button) = 0;
  virtual void didCloseMenu(StatusBarButton& button, Menu& menu) = 0;
};

}  // namespace wendaro
