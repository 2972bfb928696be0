#pragma once

#include <QMenu>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "desktop/qt/typed_prefix.h"
#include "platform/menu.h"

namespace wendaro {

class MenuRenderer;

// A QMenu that shows one of the core's menus, as it was at one revision.
//
// It is filled just before it shows, unless that happened already: a renderer
// that prepares in the background fills menus a few entries at a time while
// the program is idle, so that a menu of thousands of apps opens at once.
// Once a submenu's menu has moved on to a newer revision, its parent replaces
// it by a fresh, empty ModelMenu instead of emptying it (taking thousands of
// entries out of a QMenu one by one costs time that grows with the square of
// their number; dropping the whole QMenu does not).
//
// Keyboard: typing selects the first entry whose title starts with what was
// typed (see TypedPrefix), Return chooses it, and Alt+Return opens the
// shortcut editor of the highlighted entry.
class ModelMenu : public QMenu {
 public:
  // `keepAlive` holds a submenu's model while it is shown; a top-level menu
  // is owned by the core.
  ModelMenu(MenuRenderer& renderer, Menu& model, std::shared_ptr<Menu> keepAlive, QWidget* parent);

  Menu& model() const { return model_; }
  // Tells the delegate that the menu will open, brings the QMenu up to date,
  // and pops it up where `place` puts a menu of its size.
  void popUpPrepared(const std::function<QPoint(QSize)>& place);
  // Background work on this menu and its submenus that are not shown: draws
  // at most `budget` entries, taking them off it. True when something is
  // left to do.
  bool prepareStep(std::size_t& budget);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const override;

 private:
  struct Submenu {
    ModelMenu* menu = nullptr;
    QAction* entry = nullptr;
  };

  bool isCurrent() const { return started_ && builtRevision_ == model_.revision(); }
  bool isComplete() const { return isCurrent() && next_ == snapshot_.size(); }
  void aboutToShowMenu();
  void bringUpToDate();
  void restart();
  std::size_t addEntries(std::size_t count);
  void replaceOutdatedSubmenus();
  void syncStates();
  void entryTriggered(QAction* action);
  QAction* makeAction(const MenuItemRef& item, std::size_t index);
  QAction* makeTextEntry(const QString& text);
  ModelMenu* submenuFor(const std::shared_ptr<Menu>& submenu, QAction* entry);
  // The item an entry of this menu draws, or null.
  const MenuItem* itemOf(const QAction* action) const;
  void selectTypedEntry();
  void editShortcutOfActiveEntry();

  MenuRenderer& renderer_;
  Menu& model_;
  std::shared_ptr<Menu> keepAlive_;
  bool prepared_ = false;
  // The items of the revision being drawn, and how many are drawn so far.
  bool started_ = false;
  std::uint64_t builtRevision_ = 0;
  std::vector<MenuItemRef> snapshot_;
  std::size_t next_ = 0;
  // The drawn entries of the items of `snapshot_`, by position (separators
  // included); null where none is drawn yet.
  std::vector<QAction*> entries_;
  std::unordered_map<const Menu*, Submenu> submenus_;
  // Submenus of the revision drawn before, reused where their menu stays.
  std::unordered_map<const Menu*, Submenu> previousSubmenus_;
  TypedPrefix typed_;
};

}  // namespace wendaro
