#include <QCoreApplication>
#include <QMenu>

#include <gtest/gtest.h>

#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_application.h"
#include "desktop/qt/qt_images.h"
#include "desktop/qt/qt_status_bar.h"
#include "desktop/qt/tray_notice.h"
#include "recording_delegate.h"

namespace wendaro {
namespace {

using Calls = std::vector<std::string>;

class StatusBarTest : public testing::Test {
 protected:
  StatusBarTest() {
    application.setDelegate(&delegate);
    menu.setDelegate(&delegate);
    menu.addItemWithTitle("Quit", Action::Terminate, "");
    // As the application object does: a plain mouse-down on the main icon
    // pops up the main menu from it.
    delegate.onMouseDown = [this](StatusBarButton& button) {
      if (&button == mainItem->button() && !altHeld) mainItem->popUpStatusItemMenu(menu);
    };
    mainItem->button()->setMenu(&menu);
    delegate.calls.clear();
  }

  QMenu* shownMenu() { return renderer.menuFor(menu); }
  static void settle() { QCoreApplication::processEvents(); }

  test::RecordingDelegate delegate;
  QtApplication application;
  MenuRenderer renderer{application};
  QtStatusBar bar{application, renderer};
  Menu menu;
  StatusItemRef mainItem = bar.statusItemWithLength(20);
  bool altHeld = false;
};

// A click of the primary button is a mouse-down and up, one of the secondary
// button a right mouse-down; the middle button and the second click of a
// double click do nothing.
TEST_F(StatusBarTest, TheIconsClicksReachTheDelegateByButton) {
  auto* item = static_cast<QtStatusItem*>(mainItem.get());
  ASSERT_NE(item->trayIcon(), nullptr);
  const struct {
    QSystemTrayIcon::ActivationReason reason;
    Calls calls;
  } cases[] = {
      {QSystemTrayIcon::Trigger, {"mouseDown", "menuWillOpen", "mouseUp", "didCloseMenu"}},
      {QSystemTrayIcon::Context, {"rightMouseDown", "menuWillOpen", "didCloseMenu"}},
      {QSystemTrayIcon::DoubleClick, {}},
      {QSystemTrayIcon::MiddleClick, {}},
  };
  for (const auto& c : cases) {
    delegate.calls.clear();
    emit item->trayIcon()->activated(c.reason);
    shownMenu()->close();
    EXPECT_EQ(delegate.calls, c.calls) << c.reason;
    settle();
  }
}

TEST_F(StatusBarTest, CancelTrackingClosesTheMenuAndTheCloseIsReported) {
  mainItem->popUpStatusItemMenu(menu);
  ASSERT_TRUE(shownMenu()->isVisible());
  bar.cancelTracking(menu);
  EXPECT_FALSE(shownMenu()->isVisible());
  EXPECT_EQ(delegate.calls, (Calls{"menuWillOpen", "didCloseMenu"}));
  bar.cancelTracking(menu);
  EXPECT_EQ(delegate.calls.size(), 2u) << "a closed menu is closed once";
}

// Some tray hosts open an icon's context menu by themselves on a right click;
// the click still goes through the callbacks and the menu shows once.
TEST_F(StatusBarTest, AContextMenuOpenedByTheDesktopIsTheClicksMenu) {
  auto* item = static_cast<QtStatusItem*>(mainItem.get());
  int showings = 0;
  QObject::connect(shownMenu(), &QMenu::aboutToShow, [&] { ++showings; });
  shownMenu()->popup(QPoint(5, 5));  // what the host does
  emit item->trayIcon()->activated(QSystemTrayIcon::Context);  // and then reports
  EXPECT_EQ(showings, 1);
  EXPECT_TRUE(shownMenu()->isVisible());
  shownMenu()->close();
  EXPECT_EQ(delegate.calls, (Calls{"menuWillOpen", "rightMouseDown", "didCloseMenu"}));

  settle();
  delegate.calls.clear();
  emit item->trayIcon()->activated(QSystemTrayIcon::Context);
  EXPECT_EQ(delegate.calls.front(), "rightMouseDown") << "the next right click counts again";
  shownMenu()->close();
}

TEST_F(StatusBarTest, AnAltClickOnADesktopOpenedMenuClosesItSilently) {
  altHeld = true;
  shownMenu()->popup(QPoint(5, 5));
  settle();
  EXPECT_FALSE(shownMenu()->isVisible());
  EXPECT_EQ(delegate.calls, (Calls{"menuWillOpen", "rightMouseDown"}));
}

TEST_F(StatusBarTest, PinnedIconsTakeClicksAndCarryTheirAppPath) {
  StatusItemRef pinned = bar.statusItemWithLength(20);
  pinned->setToolTip("/apps/Mail.app");
  pinned->setAction(Action::LaunchAppWithButton);
  QtImages images;
  pinned->setImage(images.imageNamed("MenubarIcon"));
  auto* item = static_cast<QtStatusItem*>(pinned.get());
  EXPECT_EQ(item->trayIcon()->toolTip(), "/apps/Mail.app");
  EXPECT_EQ(item->action(), Action::LaunchAppWithButton);
  EXPECT_FALSE(item->trayIcon()->icon().isNull());

  emit item->trayIcon()->activated(QSystemTrayIcon::Trigger);
  EXPECT_EQ(delegate.calls, (Calls{"mouseDown", "mouseUp"}));
  EXPECT_FALSE(shownMenu()->isVisible());

  bar.removeStatusItem(*pinned);
  EXPECT_EQ(item->trayIcon(), nullptr);
}

TEST_F(StatusBarTest, TheFrameIsUnknownWhileTheDesktopDoesNotPlaceTheIcon) {
  EXPECT_FALSE(mainItem->button()->windowFrame().has_value());
}

TEST(MenuPlacementTest, BelowTheIconWhenTheMenuFitsThereElseAboveAndAlwaysOnTheScreen) {
  const QRect screen(0, 0, 1920, 1080);
  const struct {
    const char* what;
    QRect icon;
    QRect area;
    QSize menu;
    QPoint topLeft;
  } cases[] = {
      {"panel at the top, by the right edge", {1800, 0, 24, 24}, screen, {200, 300}, {1720, 24}},
      {"panel at the bottom", {100, 1056, 24, 24}, screen, {200, 300}, {100, 756}},
      {"reaching the screen's last row", {100, 780, 24, 24}, screen, {200, 276}, {100, 804}},
      {"one row too tall for below", {100, 780, 24, 24}, screen, {200, 277}, {100, 503}},
      {"on a second screen", {3180, 1000, 20, 24}, {1920, 0, 1280, 1024}, {200, 300}, {3000, 700}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(menuPlaceBesideIcon(c.icon, c.area, c.menu), c.topLeft) << c.what;
  }
}

TEST_F(StatusBarTest, AProgramThatShowsNothingMakesNoTrayIcons) {
  QtStatusBar hidden(application, renderer, false);
  auto item = hidden.statusItemWithLength(20);
  EXPECT_EQ(static_cast<QtStatusItem*>(item.get())->trayIcon(), nullptr);
  item->setToolTip("/apps/Mail.app");
  item->button()->highlight(true);
  EXPECT_TRUE(item->button()->isHighlighted());
}

// Without a tray a window says so, until a tray appears: then it goes and
// the icons are shown again.
TEST(TrayNoticeTest, AWindowExplainsTheMissingTrayUntilOneAppears) {
  bool available = false;
  int appeared = 0;
  TrayNotice notice([&] { ++appeared; }, [&] { return available; });
  notice.watch();
  EXPECT_TRUE(notice.window().isVisible());
  notice.check();
  EXPECT_EQ(appeared, 0);

  available = true;
  notice.check();
  EXPECT_FALSE(notice.window().isVisible());
  notice.check();
  EXPECT_EQ(appeared, 1);

  TrayNotice withTray([&] { ++appeared; }, [] { return true; });
  withTray.watch();
  EXPECT_FALSE(withTray.window().isVisible());
  EXPECT_EQ(appeared, 1);
}

}  // namespace
}  // namespace wendaro
