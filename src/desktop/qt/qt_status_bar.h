#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSystemTrayIcon>

#include <memory>
#include <optional>
#include <vector>

#include "platform/application.h"
#include "platform/status_bar.h"

class QMenu;

namespace wendaro {

class MenuRenderer;
class QtStatusBar;
class QtStatusItem;

class QtStatusBarButton : public StatusBarButton {
 public:
  explicit QtStatusBarButton(QtStatusItem& item) : item_(item) {}
  void highlight(bool flag) override { highlighted_ = flag; }
  bool isHighlighted() const override { return highlighted_; }
  // The menu becomes the icon's context menu, for desktops that show only
  // that; a click there still goes through the mouse callbacks.
  void setMenu(Menu* menu) override;
  // The icon's frame on screen; nothing while the desktop does not tell it.
  std::optional<Rect> windowFrame() const override;

 private:
  QtStatusItem& item_;
  bool highlighted_ = false;
};

// Where a menu of `size` pops up from a tray icon at `icon` on a screen of
// `area`: below the icon, or above it when it does not fit below; moved left
// as far as it must to stay on the screen.
QPoint menuPlaceBesideIcon(const QRect& icon, const QRect& area, QSize size);

// A tray icon. A click of the primary button reaches the application's
// delegate as a mouse-down and a mouse-up, one of the secondary button as a
// right mouse-down; other clicks (the middle button, the second click of a
// double click) do nothing.
class QtStatusItem : public QObject, public StatusItem, public std::enable_shared_from_this<QtStatusItem> {
 public:
  explicit QtStatusItem(QtStatusBar& bar);
  ~QtStatusItem() override;

  StatusBarButton* button() override { return &button_; }
  void setToolTip(const std::string& toolTip) override;
  void setImage(ImageRef image) override;
  void setAction(Action action) override { action_ = action; }
  void popUpStatusItemMenu(Menu& menu) override;

  Action action() const { return action_; }
  // The icon on the tray; null when the bar shows no icons.
  QSystemTrayIcon* trayIcon() const { return tray_; }
  // The icon's place on screen in Qt coordinates; empty when unknown.
  QRect geometry() const;
  void setContextMenu(Menu* menu);
  void remove();
  // Clicks as the desktop delivers them.
  void click();
  void rightClick();

 private:
  void activated(QSystemTrayIcon::ActivationReason reason);
  void contextMenuAboutToShow();
  QPoint placeMenu(QSize size) const;

  QtStatusBar& bar_;
  QtStatusBarButton button_{*this};
  Action action_ = Action::None;
  QPointer<QSystemTrayIcon> tray_;
  Menu* contextMenu_ = nullptr;
  // While the desktop itself opens the context menu (a right click on some
  // tray hosts), the click that opened it is replayed through the mouse
  // callbacks, and the menu they pop up is that one.
  bool desktopOpensMenu_ = false;
  bool skipContextActivation_ = false;
};

// The tray. With `showsIcons` false (a program that shows nothing) the items
// keep their state but never appear.
class QtStatusBar : public QObject, public StatusBar {
 public:
  QtStatusBar(Application& application, MenuRenderer& renderer, bool showsIcons = true);

  StatusItemRef statusItemWithLength(double length) override;
  void removeStatusItem(StatusItem& item) override;
  void cancelTracking(Menu& menu) override;

  bool showsIcons() const { return showsIcons_; }
  // A message in a bubble from the first icon on the tray (the main one);
  // nothing while no icon is on a tray.
  void notify(const QString& title, const QString& message);
  // Shows every icon anew, for a tray that appeared after they were made.
  void showIconsAgain();
  MenuRenderer& renderer() { return renderer_; }
  // While set, menus pop up at the pointer rather than at their icon: for
  // requests that do not come from a click on the icon.
  void setPlacingMenusAtPointer(bool atPointer) { placingAtPointer_ = atPointer; }
  bool isPlacingMenusAtPointer() const { return placingAtPointer_; }
  // The delegate's mouse callbacks, or null when the delegate has none.
  StatusBarButtonEvents* buttonEvents() const;
  // The item popped the menu up: its close goes to that item's button.
  void menuOpened(QtStatusItem& item, Menu& menu);
  bool isOpenFrom(const QtStatusItem& item, const Menu& menu) const;

 private:
  void menuHidden(Menu& menu);

  Application& application_;
  MenuRenderer& renderer_;
  bool showsIcons_;
  bool placingAtPointer_ = false;
  // The items made, the first made first (expired once gone).
  std::vector<std::weak_ptr<QtStatusItem>> items_;
  // Each menu and the item it is open from (expired while it is closed).
  QHash<const Menu*, std::weak_ptr<QtStatusItem>> open_;
};

}  // namespace wendaro
