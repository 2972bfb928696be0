#include "desktop/qt/qt_status_bar.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_image_source.h"
#include "desktop/qt/screen_coordinates.h"

namespace wendaro {

namespace {

// What a tray icon without image shows: nothing, in a place that still takes
// clicks and shows the tooltip.
QIcon blankIcon() {
  QPixmap blank(16, 16);
  blank.fill(Qt::transparent);
  return QIcon(blank);
}

}  // namespace

void QtStatusBarButton::setMenu(Menu* menu) { item_.setContextMenu(menu); }

std::optional<Rect> QtStatusBarButton::windowFrame() const {
  const QRect frame = item_.geometry();
  const QRect desktop = desktopGeometry();
  if (frame.isEmpty() || desktop.isEmpty()) return std::nullopt;
  return toCoreFrame(frame, desktop);
}

QtStatusItem::QtStatusItem(QtStatusBar& bar) : bar_(bar) {
  if (!bar_.showsIcons()) return;
  tray_ = new QSystemTrayIcon(blankIcon());
  connect(tray_, &QSystemTrayIcon::activated, this, &QtStatusItem::activated);
  tray_->show();
}

QtStatusItem::~QtStatusItem() { remove(); }

void QtStatusItem::remove() {
  if (!tray_) return;
  tray_->hide();
  tray_->setContextMenu(nullptr);
  // Not at once: the icon may be in the middle of delivering a click.
  tray_->deleteLater();
  tray_.clear();
}

QRect QtStatusItem::geometry() const { return tray_ ? tray_->geometry() : QRect(); }

void QtStatusItem::setToolTip(const std::string& toolTip) {
  if (tray_) tray_->setToolTip(QString::fromStdString(toolTip));
}

void QtStatusItem::setImage(ImageRef image) {
  if (!tray_) return;
  const QtImageSource* source = qtImageSource(image);
  tray_->setIcon(source && image->isValid() ? source->icon() : blankIcon());
}

void QtStatusItem::setContextMenu(Menu* menu) {
  contextMenu_ = menu;
  if (!tray_) return;
  QMenu* shown = menu ? bar_.renderer().menuFor(*menu) : nullptr;
  tray_->setContextMenu(shown);
  if (shown) connect(shown, &QMenu::aboutToShow, this, &QtStatusItem::contextMenuAboutToShow, Qt::UniqueConnection);
}

void QtStatusItem::activated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger) click();
  // The desktop opened the context menu for this very click (see
  // contextMenuAboutToShow): it went through the callbacks already.
  if (reason == QSystemTrayIcon::Context && !skipContextActivation_) rightClick();
}

void QtStatusItem::click() {
  const auto self = shared_from_this();  // the callbacks may drop the item
  StatusBarButtonEvents* events = bar_.buttonEvents();
  if (!events) return;
  events->mouseDown(button_);
  events->mouseUp(button_);
}

void QtStatusItem::rightClick() {
  const auto self = shared_from_this();  // the callback may drop the item
  if (StatusBarButtonEvents* events = bar_.buttonEvents()) events->rightMouseDown(button_);
}

void QtStatusItem::contextMenuAboutToShow() {
  if (!contextMenu_ || bar_.isOpenFrom(*this, *contextMenu_)) return;  // popped up by us
  // The desktop is opening the context menu by itself, on a right click.
  desktopOpensMenu_ = true;
  rightClick();
  desktopOpensMenu_ = false;
  skipContextActivation_ = true;
  QTimer::singleShot(0, this, [this] { skipContextActivation_ = false; });
  if (!bar_.isOpenFrom(*this, *contextMenu_)) {
    // The click did not ask for the menu (an Alt-click): close it again.
    QMenu* shown = bar_.renderer().menuFor(*contextMenu_);
    QTimer::singleShot(0, shown, &QMenu::close);
  }
}

void QtStatusItem::popUpStatusItemMenu(Menu& menu) {
  bar_.menuOpened(*this, menu);
  if (desktopOpensMenu_ && &menu == contextMenu_) return;  // it is opening already
  const bool atPointer = bar_.isPlacingMenusAtPointer();
  bar_.renderer().popUp(menu, [this, atPointer](QSize size) { return atPointer ? QCursor::pos() : placeMenu(size); });
}

// Below the icon, or above it when the icon is at the bottom of the screen;
// at the pointer when the icon's place is unknown.
QPoint QtStatusItem::placeMenu(QSize size) const {
  const QRect icon = geometry();
  if (icon.isEmpty()) return QCursor::pos();
  const QScreen* screen = QGuiApplication::screenAt(icon.center());
  if (!screen) screen = QGuiApplication::primaryScreen();
  return menuPlaceBesideIcon(icon, screen ? screen->geometry() : icon, size);
}

QPoint menuPlaceBesideIcon(const QRect& icon, const QRect& area, QSize size) {
  const bool fitsBelow = icon.bottom() + 1 + size.height() <= area.bottom() + 1;
  const int y = fitsBelow ? icon.bottom() + 1 : icon.top() - size.height();
  const int x = std::max(area.left(), std::min(icon.left(), area.right() + 1 - size.width()));
  return QPoint(x, y);
}

QtStatusBar::QtStatusBar(Application& application, MenuRenderer& renderer, bool showsIcons)
    : application_(application), renderer_(renderer), showsIcons_(showsIcons) {}

StatusItemRef QtStatusBar::statusItemWithLength(double) {
  auto item = std::make_shared<QtStatusItem>(*this);
  std::erase_if(items_, [](const std::weak_ptr<QtStatusItem>& made) { return made.expired(); });
  items_.push_back(item);
  return item;
}

void QtStatusBar::notify(const QString& title, const QString& message) {
  for (const auto& made : items_) {
    const auto item = made.lock();
    if (item && item->trayIcon() && item->trayIcon()->isVisible()) {
      item->trayIcon()->showMessage(title, message, QSystemTrayIcon::Warning);
      return;
    }
  }
}

void QtStatusBar::removeStatusItem(StatusItem& item) { static_cast<QtStatusItem&>(item).remove(); }

void QtStatusBar::cancelTracking(Menu& menu) {
  QMenu* shown = renderer_.menuFor(menu);
  if (shown->isVisible()) shown->close();
}

void QtStatusBar::showIconsAgain() {
  for (const auto& made : items_) {
    const auto item = made.lock();
    QSystemTrayIcon* icon = item ? item->trayIcon() : nullptr;
    if (!icon || !icon->isVisible()) continue;
    icon->hide();
    icon->show();
  }
}

StatusBarButtonEvents* QtStatusBar::buttonEvents() const {
  return dynamic_cast<StatusBarButtonEvents*>(application_.delegate());
}

void QtStatusBar::menuOpened(QtStatusItem& item, Menu& menu) {
  if (!open_.contains(&menu)) {
    connect(renderer_.menuFor(menu), &QMenu::aboutToHide, this, [this, &menu] { menuHidden(menu); });
  }
  open_.insert(&menu, item.weak_from_this());
}

bool QtStatusBar::isOpenFrom(const QtStatusItem& item, const Menu& menu) const {
  return open_.value(&menu).lock().get() == &item;
}

void QtStatusBar::menuHidden(Menu& menu) {
  const auto item = std::exchange(open_[&menu], {}).lock();
  StatusBarButtonEvents* events = buttonEvents();
  if (item && events) events->didCloseMenu(*item->button(), menu);
}

}  // namespace wendaro
