#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/actions.h"
#include "platform/image.h"
#include "platform/modifier_flags.h"

namespace wendaro {

class Menu;
class MenuDelegate;

// The state of a check item or control.
enum ControlState : int { kControlStateMixed = -1, kControlStateOff = 0, kControlStateOn = 1 };

// The stored form of a menu item, as an archive hands it back.
struct MenuItemRecord {
  std::string title;
  Action action = Action::None;
  std::string keyEquivalent;
};

// One entry of a menu: a plain model object that the desktop draws. Items are
// shared by pointer; a menu finds its items by identity.
class MenuItem {
 public:
  MenuItem(std::string title, Action action, std::string keyEquivalent);
  explicit MenuItem(const MenuItemRecord& record);
  virtual ~MenuItem() = default;
  MenuItem(const MenuItem&) = delete;
  MenuItem& operator=(const MenuItem&) = delete;

  static std::shared_ptr<MenuItem> separatorItem();

  bool isSeparatorItem() const { return separator_; }

  const std::string& title() const { return title_; }
  void setTitle(std::string title) { title_ = std::move(title); }
  // A title that replaces the plain one when the entry is drawn.
  const std::optional<std::string>& attributedTitle() const { return attributedTitle_; }
  void setAttributedTitle(std::string title) { attributedTitle_ = std::move(title); }

  Action action() const { return action_; }
  void setAction(Action action) { action_ = action; }
  ActionTarget target() const { return target_; }
  void setTarget(ActionTarget target) { target_ = target; }

  const std::string& keyEquivalent() const { return keyEquivalent_; }
  void setKeyEquivalent(std::string key) { keyEquivalent_ = std::move(key); }
  ModifierFlags keyEquivalentModifierMask() const { return keyEquivalentModifierMask_; }
  void setKeyEquivalentModifierMask(ModifierFlags mask) { keyEquivalentModifierMask_ = mask; }

  // A second, dimmer text drawn beside the title; empty for none.
  const std::string& subtitle() const { return subtitle_; }
  void setSubtitle(std::string subtitle) { subtitle_ = std::move(subtitle); }

  const ImageRef& image() const { return image_; }
  void setImage(ImageRef image) { image_ = std::move(image); }

  const std::shared_ptr<Menu>& submenu() const { return submenu_; }
  void setSubmenu(std::shared_ptr<Menu> submenu) { submenu_ = std::move(submenu); }

  int state() const { return state_; }
  void setState(int state) { state_ = state; }

 private:
  MenuItem() = default;

  bool separator_ = false;
  std::string title_;
  std::optional<std::string> attributedTitle_;
  std::string subtitle_;
  Action action_ = Action::None;
  ActionTarget target_ = ActionTarget::None;
  std::string keyEquivalent_;
  ModifierFlags keyEquivalentModifierMask_ = 0;
  ImageRef image_;
  std::shared_ptr<Menu> submenu_;
  int state_ = kControlStateOff;
};

using MenuItemRef = std::shared_ptr<MenuItem>;

// An ordered list of entries. The revision grows with every change of the
// list, so that a view can tell whether what it drew is still current.
class Menu {
 public:
  Menu() = default;
  Menu(const Menu&) = delete;
  Menu& operator=(const Menu&) = delete;

  void addItem(MenuItemRef item);
  void insertItemAtIndex(MenuItemRef item, long index);
  void removeItemAtIndex(long index);
  void removeAllItems();
  MenuItemRef addItemWithTitle(std::string title, Action action, std::string keyEquivalent);

  // The current position of that very item, or -1 when it is not in the menu.
  long indexOfItem(const MenuItem* item) const;
  long indexOfItem(const MenuItemRef& item) const { return indexOfItem(item.get()); }
  const MenuItemRef& itemAtIndex(long index) const { return items_.at(static_cast<std::size_t>(index)); }
  long numberOfItems() const { return static_cast<long>(items_.size()); }
  const std::vector<MenuItemRef>& items() const { return items_; }

  MenuDelegate* delegate() const { return delegate_; }
  void setDelegate(MenuDelegate* delegate) { delegate_ = delegate; }

  std::uint64_t revision() const { return revision_; }

 private:
  std::vector<MenuItemRef> items_;
  MenuDelegate* delegate_ = nullptr;
  std::uint64_t revision_ = 0;
};

class MenuDelegate {
 public:
  virtual ~MenuDelegate() = default;
  // The menu is about to open.
  virtual void menuWillOpen(Menu& menu) = 0;
};

}  // namespace wendaro
