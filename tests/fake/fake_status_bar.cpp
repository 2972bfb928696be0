#include "fake/fake_status_bar.h"

#include <algorithm>
#include <utility>

namespace wendaro::fake {

void FakeStatusBarButton::highlight(bool flag) {
  log_.record("statusButton" + name_, "highlight", flag ? "1" : "0");
  highlighted = flag;
}

void FakeStatusBarButton::setMenu(Menu* newMenu) {
  log_.record("statusButton" + name_, "setMenu");
  menu = newMenu;
}

FakeStatusItem::FakeStatusItem(FakeStatusBar& bar, CallLog& log, int itemNumber, double itemLength)
    : number(itemNumber), length(itemLength), bar_(bar), log_(log), button_(log, "#" + std::to_string(itemNumber)) {}

void FakeStatusItem::setToolTip(const std::string& text) {
  log_.record("statusItem" + name(), "setToolTip", text);
  toolTip = text;
}

void FakeStatusItem::setImage(ImageRef newImage) {
  log_.record("statusItem" + name(), "setImage");
  image = std::move(newImage);
}

void FakeStatusItem::setAction(Action newAction) {
  log_.record("statusItem" + name(), "setAction", actionName(newAction));
  action = newAction;
}

StatusItemRef FakeStatusBar::statusItemWithLength(double length) {
  auto item = std::make_shared<FakeStatusItem>(*this, log_, static_cast<int>(made.size()), length);
  log_.record("statusBar", "statusItemWithLength", item->name());
  made.push_back(item);
  return item;
}

void FakeStatusBar::removeStatusItem(StatusItem& item) {
  auto& fakeItem = static_cast<FakeStatusItem&>(item);
  log_.record("statusBar", "removeStatusItem", fakeItem.name());
  fakeItem.removed = true;
}

std::vector<std::shared_ptr<FakeStatusItem>> FakeStatusBar::shown() const {
  std::vector<std::shared_ptr<FakeStatusItem>> items;
  std::copy_if(made.begin(), made.end(), std::back_inserter(items), [](const auto& item) { return !item->removed; });
  return items;
}

void FakeStatusItem::popUpStatusItemMenu(Menu& menu) {
  log_.record("statusItem" + name(), "popUpStatusItemMenu");
  // The delegate hears the opening before the menu shows, as on the desktop.
  if (menu.delegate()) menu.delegate()->menuWillOpen(menu);
  bar_.openMenu = &menu;
  bar_.openMenuItem = this;
}

void FakeStatusBar::cancelTracking(Menu& menu) {
  log_.record("statusBar", "cancelTracking");
  if (openMenu == &menu) closeMenu();
}

void FakeStatusBar::mouseDown(FakeStatusItem& item) {
  auto* events = dynamic_cast<StatusBarButtonEvents*>(application_.delegate());
  if (!events || !item.button()) return;
  events->mouseDown(*item.button());
}

void FakeStatusBar::mouseUp(FakeStatusItem& item) {
  auto* events = dynamic_cast<StatusBarButtonEvents*>(application_.delegate());
  if (!events || !item.button()) return;
  events->mouseUp(*item.button());
}

void FakeStatusBar::rightMouseDown(FakeStatusItem& item) {
  auto* events = dynamic_cast<StatusBarButtonEvents*>(application_.delegate());
  if (!events || !item.button()) return;
  events->rightMouseDown(*item.button());
}

void FakeStatusBar::closeMenu() {
  if (!openMenu || !openMenuItem) return;
  Menu* menu = std::exchange(openMenu, nullptr);
  FakeStatusItem* item = std::exchange(openMenuItem, nullptr);
  auto* events = dynamic_cast<StatusBarButtonEvents*>(application_.delegate());
  if (events && item->button()) events->didCloseMenu(*item->button(), *menu);
}

}  // namespace wendaro::fake
