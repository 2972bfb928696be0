#pragma once

#include <QMenu>

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/menu.h"

namespace wendaro {

class MenuRenderer;

// A QMenu that shows one of the core's menus. It fills itself just before it
// shows, and fills itself anew only when the menu's revision moved on; its
// submenus are ModelMenus too, kept across fillings while their menu stays.
class ModelMenu : public QMenu {
 public:
  // `keepAlive` holds a submenu's model while it is shown; a top-level menu
  // is owned by the core.
  ModelMenu(MenuRenderer& renderer, Menu& model, std::shared_ptr<Menu> keepAlive, QWidget* parent);

  Menu& model() const { return model_; }
  // Tells the delegate that the menu will open, brings the QMenu up to date,
  // and pops it up where `place` puts a menu of its size.
  void popUpPrepared(const std::function<QPoint(QSize)>& place);

 private:
  void aboutToShowMenu();
  void bringUpToDate();
  void fill();
  void syncStates();
  QAction* makeAction(const MenuItemRef& item);
  QAction* makeTextEntry(const QString& text);
  ModelMenu* submenuFor(const std::shared_ptr<Menu>& submenu);

  MenuRenderer& renderer_;
  Menu& model_;
  std::shared_ptr<Menu> keepAlive_;
  bool filled_ = false;
  bool prepared_ = false;
  std::uint64_t filledRevision_ = 0;
  // The drawn entries with the items they stand for (separators excluded).
  std::vector<std::pair<QAction*, MenuItemRef>> entries_;
  std::unordered_map<const Menu*, ModelMenu*> submenus_;
  std::unordered_map<const Menu*, ModelMenu*> previousSubmenus_;
};

}  // namespace wendaro
