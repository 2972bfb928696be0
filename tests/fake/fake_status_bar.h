#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "fake/call_log.h"
#include "platform/application.h"
#include "platform/status_bar.h"

namespace wendaro::fake {

class FakeStatusBarButton : public StatusBarButton {
 public:
  FakeStatusBarButton(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  void highlight(bool flag) override;
  bool isHighlighted() const override { return highlighted; }
  void setMenu(Menu* newMenu) override;
  std::optional<Rect> windowFrame() const override { return frame; }

  bool highlighted = false;
  Menu* menu = nullptr;
  std::optional<Rect> frame = Rect{{1000, 878}, {20, 22}};  // control

 private:
  CallLog& log_;
  std::string name_;
};

class FakeStatusBar;

class FakeStatusItem : public StatusItem {
 public:
  FakeStatusItem(FakeStatusBar& bar, CallLog& log, int number, double length);
  StatusBarButton* button() override { return hasButton ? &button_ : nullptr; }
  void setToolTip(const std::string& text) override;
  void setImage(ImageRef newImage) override;
  void setAction(Action newAction) override;
  void popUpStatusItemMenu(Menu& menu) override;

  FakeStatusBarButton& fakeButton() { return button_; }
  // "#N": the N-th status item made, counted from 0.
  std::string name() const { return "#" + std::to_string(number); }

  int number;
  double length;
  std::string toolTip;
  ImageRef image;
  Action action = Action::None;
  bool removed = false;
  bool hasButton = true;  // control

 private:
  FakeStatusBar& bar_;
  CallLog& log_;
  FakeStatusBarButton button_;
};

// The menu bar. Menus popped up stay open until a test closes them.
class FakeStatusBar : public StatusBar {
 public:
  FakeStatusBar(CallLog& log, Application& application) : log_(log), application_(application) {}
  StatusItemRef statusItemWithLength(double length) override;
  void removeStatusItem(StatusItem& item) override;
  void cancelTracking(Menu& menu) override;

  // Control.
  // Every status item made, removed ones included, in order of creation.
  std::vector<std::shared_ptr<FakeStatusItem>> made;
  // The items still in the bar, in order of creation.
  std::vector<std::shared_ptr<FakeStatusItem>> shown() const;
  // A mouse press and release on the item's button, through the
  // application's delegate as the desktop delivers them.
  void mouseDown(FakeStatusItem& item);
  void mouseUp(FakeStatusItem& item);
  void click(FakeStatusItem& item) { mouseDown(item); mouseUp(item); }
  void rightMouseDown(FakeStatusItem& item);
  // The menu that is open, and the item it was shown from.
  Menu* openMenu = nullptr;
  FakeStatusItem* openMenuItem = nullptr;
  // Closes the open menu (a click elsewhere or a choice).
  void closeMenu();

 private:
  friend class FakeStatusItem;
  CallLog& log_;
  Application& application_;
};

}  // namespace wendaro::fake
