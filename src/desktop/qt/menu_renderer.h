#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QTimer>

#include <functional>
#include <memory>
#include <unordered_map>

#include "platform/application.h"
#include "platform/menu.h"
#include "platform/system_services.h"

class QMenu;
class QStyle;

namespace wendaro {

class ModelMenu;

// Draws the core's menus as QMenus. A QMenu is filled when it is about to
// show, and filled again only when its menu changed since. A chosen entry goes
// to the application's delegate, or to the updater for entries that target it.
class MenuRenderer : public QObject {
 public:
  explicit MenuRenderer(Application& application);
  ~MenuRenderer() override;

  void setUpdater(Updater* updater) { updater_ = updater; }

  // The QMenu that shows `menu`, made on the first request. The menu must
  // outlive the renderer.
  QMenu* menuFor(Menu& menu);

  // Shows the menu: its delegate hears that it will open, the QMenu is brought
  // up to date, and then it pops up where `place` puts a menu of that size.
  void popUp(Menu& menu, const std::function<QPoint(QSize)>& place);

  // From now on, whenever the program is idle, menus that are not shown are
  // filled ahead in small steps, so that opening them finds them ready.
  void prepareWhenIdle();
  // One step of that work; true when more is left.
  bool prepareStep();

 private:
  friend class ModelMenu;
  void perform(const MenuItemRef& item);
  // The shortcut editor of the entry, or of no entry.
  void editShortcut(const MenuItemRef& item);
  QStyle* style() const { return style_.get(); }
  void idle();

  Application& application_;
  Updater* updater_ = nullptr;
  std::unique_ptr<QStyle> style_;
  std::unordered_map<const Menu*, std::unique_ptr<ModelMenu>> menus_;
  QTimer preparing_;
};

}  // namespace wendaro
