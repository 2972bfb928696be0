#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/actions.h"
#include "platform/application.h"
#include "platform/menu.h"
#include "platform/status_bar.h"

namespace wendaro::test {

// An application delegate that records the callbacks the desktop delivers,
// in order, and runs what a test gives it on a mouse-down of either button.
class RecordingDelegate : public ApplicationDelegate,
                          public StatusBarButtonEvents,
                          public ActionResponder,
                          public MenuDelegate {
 public:
  void applicationDidFinishLaunching() override { calls.push_back("didFinishLaunching"); }
  void mouseDown(StatusBarButton& button) override {
    calls.push_back("mouseDown");
    if (onMouseDown) onMouseDown(button);
  }
  void mouseUp(StatusBarButton&) override { calls.push_back("mouseUp"); }
  void rightMouseDown(StatusBarButton& button) override {
    calls.push_back("rightMouseDown");
    if (onMouseDown) onMouseDown(button);
  }
  void didCloseMenu(StatusBarButton& button, Menu&) override {
    calls.push_back("didCloseMenu");
    closedFrom = &button;
  }
  void performMenuItemAction(MenuItem& sender) override {
    calls.push_back(std::string("perform ") + actionName(sender.action()) + " " + sender.title());
  }
  void performStatusItemAction(Action action, StatusBarButton&) override {
    calls.push_back(std::string("status ") + actionName(action));
  }
  void performShortcutEditing(const MenuItem* sender) override {
    calls.push_back("editShortcut " + (sender ? sender->title() : std::string("(none)")));
  }
  void menuWillOpen(Menu&) override {
    calls.push_back("menuWillOpen");
    if (onMenuWillOpen) onMenuWillOpen();
  }

  std::vector<std::string> calls;
  std::function<void(StatusBarButton&)> onMouseDown;
  std::function<void()> onMenuWillOpen;
  StatusBarButton* closedFrom = nullptr;
};

}  // namespace wendaro::test
