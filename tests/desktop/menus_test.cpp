#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QWidgetAction>

#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_application.h"
#include "desktop/qt/qt_events.h"
#include "desktop/qt/qt_images.h"
#include "desktop/qt/qt_status_bar.h"

namespace wendaro {
namespace {

using Calls = std::vector<std::string>;

// The main icon with its menu, and the callbacks the desktop delivers,
// recorded in order; as the application object does, a plain mouse-down
// pops the menu up from the icon.
class MenusTest : public ::testing::Test,
                  public ApplicationDelegate,
                  public StatusBarButtonEvents,
                  public ActionResponder,
                  public MenuDelegate {
 protected:
  MenusTest() {
    application.setDelegate(this);
    menu.setDelegate(this);
  }
  void applicationDidFinishLaunching() override {}
  void mouseDown(StatusBarButton& button) override {
    calls.push_back("mouseDown");
    if (&button == mainItem->button() && !altHeld) mainItem->popUpStatusItemMenu(menu);
  }
  void mouseUp(StatusBarButton&) override { calls.push_back("mouseUp"); }
  void rightMouseDown(StatusBarButton&) override {
    calls.push_back("rightMouseDown");
    if (!altHeld) mainItem->popUpStatusItemMenu(menu);
  }
  void didCloseMenu(StatusBarButton&, Menu&) override { calls.push_back("didCloseMenu"); }
  void performMenuItemAction(MenuItem& sender) override {
    calls.push_back(std::string("perform ") + actionName(sender.action()) + " " + sender.title());
  }
  void performStatusItemAction(Action, StatusBarButton&) override {}
  void performShortcutEditing(const MenuItem*) override {}
  void menuWillOpen(Menu&) override { calls.push_back("menuWillOpen"); }

  QMenu* shown() { return renderer.menuFor(menu); }
  QSystemTrayIcon* icon() { return static_cast<QtStatusItem*>(mainItem.get())->trayIcon(); }
  // Shows the menu as the tray would, and closes it again.
  QMenu* open() {
    shown()->popup(QPoint(10, 10));
    shown()->hide();
    return shown();
  }
  static QStringList texts(QMenu* drawn) {
    QStringList result;
    for (QAction* action : drawn->actions()) result << (action->isSeparator() ? QStringLiteral("---") : action->text());
    return result;
  }

  Calls calls;
  QtApplication application;
  MenuRenderer renderer{application};
  QtStatusBar bar{application, renderer};
  Menu menu;
  StatusItemRef mainItem = bar.statusItemWithLength(20);
  bool altHeld = false;
};

// The primary button is a mouse-down and up, the secondary one a right
// mouse-down; the middle button and the second click of a double click do
// nothing.
TEST_F(MenusTest, TheIconsClicksReachTheDelegateByButton) {
  menu.addItemWithTitle("Quit", Action::Terminate, "");
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
    calls.clear();
    emit icon()->activated(c.reason);
    shown()->close();
    EXPECT_EQ(calls, c.calls) << c.reason;
    QCoreApplication::processEvents();
  }
  mainItem->popUpStatusItemMenu(menu);
  bar.cancelTracking(menu);
  bar.cancelTracking(menu);
  EXPECT_FALSE(shown()->isVisible());
  EXPECT_EQ(calls, (Calls{"menuWillOpen", "didCloseMenu"})) << "a menu closes once";
}

// Some tray hosts open an icon's context menu by themselves on a right click;
// the click still goes through the callbacks, once, and the menu shows once.
// An Alt-click closes such a menu again.
TEST_F(MenusTest, AContextMenuOpenedByTheDesktopIsTheClicksMenu) {
  menu.addItemWithTitle("Quit", Action::Terminate, "");
  mainItem->button()->setMenu(&menu);
  int showings = 0;
  QObject::connect(shown(), &QMenu::aboutToShow, [&] { ++showings; });
  shown()->popup(QPoint(5, 5));                      // what the host does
  emit icon()->activated(QSystemTrayIcon::Context);  // and then reports
  EXPECT_EQ(showings, 1);
  EXPECT_TRUE(shown()->isVisible());
  shown()->close();
  EXPECT_EQ(calls, (Calls{"menuWillOpen", "rightMouseDown", "didCloseMenu"}));
  QCoreApplication::processEvents();
  calls.clear();
  emit icon()->activated(QSystemTrayIcon::Context);
  EXPECT_EQ(calls.front(), "rightMouseDown") << "the next right click counts again";
  shown()->close();

  altHeld = true;
  calls.clear();
  shown()->popup(QPoint(5, 5));
  QCoreApplication::processEvents();
  EXPECT_FALSE(shown()->isVisible());
  EXPECT_EQ(calls, (Calls{"menuWillOpen", "rightMouseDown"}));
}

TEST(EventsTest, ModifierKeysAreReadAtTheQueryAndMappedToFlags) {
  Qt::KeyboardModifiers held = Qt::AltModifier | Qt::ShiftModifier;
  QtEvents events([&] { return held; });
  EXPECT_EQ(events.modifierFlags(), kOptionKeyMask | kShiftKeyMask);
  held = Qt::ControlModifier | Qt::MetaModifier | Qt::KeypadModifier;
  EXPECT_EQ(events.modifierFlags(), kControlKeyMask | kCommandKeyMask);
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
  for (const auto& c : cases) EXPECT_EQ(menuPlaceBesideIcon(c.icon, c.area, c.menu), c.topLeft) << c.what;
}

TEST_F(MenusTest, DrawsEveryKindOfEntryAndSendsTheChoice) {
  auto app = std::make_shared<MenuItem>("Tom & Jerry", Action::LaunchAppWithItem, "K");
  app->setKeyEquivalentModifierMask(kControlKeyMask | kOptionKeyMask);
  app->setImage(QtImages().imageNamed("MenubarIcon"));
  menu.addItem(app);
  menu.addItem(MenuItem::separatorItem());
  menu.addItemWithTitle("Launch at Startup", Action::LaunchAtStartup, "")->setState(kControlStateOn);
  menu.addItemWithTitle("No apps found in chosen Directories", Action::None, "");
  auto help = std::make_shared<MenuItem>("", Action::None, "");
  help->setAttributedTitle("first line\nsecond line");
  menu.addItem(help);

  const QList<QAction*> actions = open()->actions();
  ASSERT_EQ(texts(shown()), (QStringList{"Tom && Jerry", "---", "Launch at Startup",
                                         "No apps found in chosen Directories", "first line\nsecond line"}));
  EXPECT_EQ(actions[0]->shortcut().toString(QKeySequence::PortableText), "Ctrl+Alt+K");
  EXPECT_TRUE(actions[0]->isShortcutVisibleInContextMenu());
  EXPECT_EQ(actions[0]->shortcutContext(), Qt::WidgetShortcut) << "its keys act inside its menu, not everywhere";
  EXPECT_FALSE(actions[0]->icon().isNull());
  EXPECT_TRUE(actions[2]->isCheckable() && actions[2]->isChecked());
  EXPECT_FALSE(actions[3]->isEnabled()) << "no action and no submenu";
  auto* text = qobject_cast<QWidgetAction*>(actions[4]);
  ASSERT_NE(text, nullptr) << "a text of several lines is drawn as a label";
  EXPECT_EQ(qobject_cast<QLabel*>(text->defaultWidget())->text(), "first line\nsecond line");
  EXPECT_FALSE(text->isEnabled());
  actions[0]->trigger();
  EXPECT_EQ(calls, (Calls{"menuWillOpen", "perform launchAppWithItem: Tom & Jerry"}));
}

// Titles keep their underscores in a tray host's drawing, where one marks a
// mnemonic; a subtitle widens the menu enough to show it whole.
TEST_F(MenusTest, TitlesAreDrawnWhole) {
  auto tool = menu.addItemWithTitle("my_tool", Action::LaunchAppWithItem, "");
  EXPECT_EQ(texts(open()), QStringList{"my__tool"});
  const int plainWidth = shown()->sizeHint().width();
  tool->setSubtitle("/Volumes/External Disk/Applications");
  menu.removeAllItems();
  menu.addItem(tool);
  EXPECT_GT(open()->sizeHint().width(), plainWidth + 100);
}

// Typing selects an entry by its title, in a menu taller than the screen
// too, without opening its submenu; Return chooses it.
using TypeSelectTest = MenusTest;

TEST_F(TypeSelectTest, TypingSelectsAnEntryAndReturnChoosesIt) {
  std::vector<std::string> titles{"Manage"};
  for (int i = 0; i < 300; ++i) titles.push_back("App " + std::to_string(1000 + i));
  auto apps = std::make_shared<Menu>();
  for (const auto& title : titles) apps->addItemWithTitle(title, Action::LaunchAppWithItem, "");
  menu.addItemWithTitle("All Apps", Action::None, "")->setSubmenu(apps);
  apps->itemAtIndex(0)->setAction(Action::None);  // disabled: never selected
  shown()->popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(shown()));
  QMenu* allApps = shown()->actions()[0]->menu();
  QTest::keyClicks(shown(), "al");
  EXPECT_EQ(shown()->activeAction(), shown()->actions()[0]);
  EXPECT_FALSE(allApps->isVisible()) << "the keys still being typed stay with this menu";
  allApps->popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(allApps));
  QTest::keyClicks(allApps, "app 129");
  ASSERT_NE(allApps->activeAction(), nullptr);
  EXPECT_EQ(allApps->activeAction()->text(), "App 1290");
  EXPECT_TRUE(allApps->rect().contains(allApps->actionGeometry(allApps->activeAction()))) << "scrolled into view";
  calls.clear();
  QTest::keyClicks(allApps, "9");
  QTest::keyClick(allApps, Qt::Key_Return);
  EXPECT_EQ(calls, Calls{"perform launchAppWithItem: App 1299"});
}

}  // namespace
}  // namespace wendaro
