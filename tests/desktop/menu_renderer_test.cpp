#include <QApplication>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QWidgetAction>

#include <gtest/gtest.h>

#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_application.h"
#include "desktop/qt/qt_images.h"
#include "desktop/qt/typed_prefix.h"
#include "fake/fake_services.h"
#include "recording_delegate.h"

namespace wendaro {
namespace {

class MenuRendererTest : public testing::Test {
 protected:
  MenuRendererTest() {
    application.setDelegate(&delegate);
    renderer.setUpdater(&updater);
  }

  // Shows the menu as the tray would and closes it again.
  QMenu* open(Menu& menu) {
    QMenu* shown = renderer.menuFor(menu);
    shown->popup(QPoint(10, 10));
    shown->hide();
    return shown;
  }
  static QMenu* open(QAction* withSubmenu) {
    QMenu* shown = withSubmenu->menu();
    shown->popup(QPoint(10, 10));
    shown->hide();
    return shown;
  }

  // Adds an "All Apps" entry whose submenu holds apps of these titles.
  static std::shared_ptr<Menu> addAllApps(Menu& menu, const std::vector<std::string>& titles) {
    auto apps = std::make_shared<Menu>();
    for (const auto& title : titles) apps->addItemWithTitle(title, Action::LaunchAppWithItem, "");
    menu.addItemWithTitle("All Apps", Action::None, "")->setSubmenu(apps);
    return apps;
  }

  QStringList texts(QMenu* shown) {
    QStringList result;
    for (QAction* action : shown->actions()) {
      result << (action->isSeparator() ? QStringLiteral("---") : action->text());
    }
    return result;
  }

  test::RecordingDelegate delegate;
  QtApplication application;
  fake::CallLog log;
  fake::FakeUpdater updater{log};
  MenuRenderer renderer{application};
};

TEST_F(MenuRendererTest, DrawsEveryKindOfEntry) {
  Menu menu;
  QtImages images;
  auto app = std::make_shared<MenuItem>("Tom & Jerry", Action::LaunchAppWithItem, "K");
  app->setKeyEquivalentModifierMask(kControlKeyMask | kOptionKeyMask);
  app->setImage(images.imageNamed("MenubarIcon"));
  menu.addItem(app);
  menu.addItem(MenuItem::separatorItem());
  auto checked = std::make_shared<MenuItem>("Launch at Startup", Action::LaunchAtStartup, "");
  checked->setState(kControlStateOn);
  menu.addItem(checked);
  menu.addItemWithTitle("No apps found in chosen Directories", Action::None, "");
  auto help = std::make_shared<MenuItem>("", Action::None, "");
  help->setAttributedTitle("first line\nsecond line");
  menu.addItem(help);
  menu.addItemWithTitle("Quit", Action::Terminate, "");

  QMenu* shown = open(menu);
  ASSERT_EQ(texts(shown), (QStringList{"Tom && Jerry", "---", "Launch at Startup",
                                       "No apps found in chosen Directories", "first line\nsecond line", "Quit"}));
  const auto actions = shown->actions();
  EXPECT_EQ(actions[0]->shortcut().toString(QKeySequence::PortableText), "Ctrl+Alt+K");
  EXPECT_TRUE(actions[0]->isShortcutVisibleInContextMenu());
  EXPECT_EQ(actions[0]->shortcutContext(), Qt::WidgetShortcut) << "its keys act inside its menu, not everywhere";
  EXPECT_FALSE(actions[0]->icon().isNull());
  EXPECT_FALSE(actions[0]->isCheckable());
  EXPECT_TRUE(actions[2]->isCheckable());
  EXPECT_TRUE(actions[2]->isChecked());
  EXPECT_FALSE(actions[3]->isEnabled()) << "no action and no submenu";
  auto* text = qobject_cast<QWidgetAction*>(actions[4]);
  ASSERT_NE(text, nullptr) << "a text entry of several lines is drawn as a label";
  auto* label = qobject_cast<QLabel*>(text->defaultWidget());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "first line\nsecond line");
  EXPECT_FALSE(text->isEnabled());
  EXPECT_TRUE(actions[5]->isEnabled());
}

TEST_F(MenuRendererTest, ChoosingAnEntryReachesTheDelegateOrTheUpdater) {
  Menu menu;
  menu.addItemWithTitle("Mail", Action::LaunchAppWithItem, "");
  auto updates = menu.addItemWithTitle("Check for Updates", Action::CheckForUpdates, "");
  updates->setTarget(ActionTarget::Updater);
  QMenu* shown = open(menu);
  delegate.calls.clear();

  shown->actions()[0]->trigger();
  shown->actions()[1]->trigger();
  EXPECT_EQ(delegate.calls, (std::vector<std::string>{"perform launchAppWithItem: Mail"}));
  EXPECT_EQ(log.all(), std::vector<std::string>{"updater.checkForUpdates"});
}

TEST_F(MenuRendererTest, SubmenusAreFilledOnlyWhenTheyAreAboutToShow) {
  Menu menu;
  addAllApps(menu, {"Mail"});

  QMenu* shown = open(menu);
  QAction* entry = shown->actions().value(0);
  ASSERT_NE(entry, nullptr);
  ASSERT_NE(entry->menu(), nullptr);
  EXPECT_TRUE(entry->isEnabled()) << "an entry with a submenu opens it";
  EXPECT_TRUE(entry->menu()->actions().isEmpty());
  EXPECT_EQ(texts(open(entry)), QStringList{"Mail"});
}

TEST_F(MenuRendererTest, FillsAgainOnlyAfterTheMenuChanged) {
  Menu menu;
  auto toggle = menu.addItemWithTitle("Launch at Startup", Action::LaunchAtStartup, "");
  addAllApps(menu, {});

  QMenu* shown = open(menu);
  QAction* first = shown->actions()[0];
  QMenu* appsShown = shown->actions()[1]->menu();

  // A change of an entry's state alone is shown without filling anew.
  toggle->setState(kControlStateOn);
  open(menu);
  EXPECT_EQ(shown->actions()[0], first);
  EXPECT_TRUE(first->isChecked());

  menu.addItemWithTitle("Quit", Action::Terminate, "");
  open(menu);
  EXPECT_EQ(texts(shown), (QStringList{"Launch at Startup", "All Apps", "Quit"}));
  EXPECT_EQ(shown->actions()[1]->menu(), appsShown) << "a submenu that stays keeps what it drew";

  menu.removeItemAtIndex(1);
  open(menu);
  EXPECT_EQ(texts(shown), (QStringList{"Launch at Startup", "Quit"}));
  EXPECT_TRUE(shown->findChildren<QMenu*>().isEmpty()) << "a submenu that left goes";
}

TEST_F(MenuRendererTest, ASubmenuThatChangedIsDrawnAfreshWhenItsParentShows) {
  Menu menu;
  auto apps = addAllApps(menu, {"Mail"});
  QMenu* shown = open(menu);
  QMenu* before = open(shown->actions()[0]);

  apps->removeAllItems();
  apps->addItemWithTitle("Notes", Action::LaunchAppWithItem, "");
  open(menu);
  QMenu* after = shown->actions()[0]->menu();
  EXPECT_NE(after, before);
  EXPECT_EQ(shown->findChildren<QMenu*>().size(), 1);
  EXPECT_EQ(texts(open(shown->actions()[0])), QStringList{"Notes"});
}

TEST_F(MenuRendererTest, IdleWorkFillsMenusAheadWithoutOpeningThem) {
  Menu menu;
  menu.setDelegate(&delegate);
  std::vector<std::string> titles;
  for (int i = 0; i < 600; ++i) titles.push_back("App " + std::to_string(i));
  auto apps = addAllApps(menu, titles);
  QMenu* shown = renderer.menuFor(menu);

  int steps = 0;
  while (renderer.prepareStep()) ++steps;
  EXPECT_GT(steps, 1) << "in several small steps";
  QMenu* allApps = shown->actions().value(0) ? shown->actions()[0]->menu() : nullptr;
  ASSERT_NE(allApps, nullptr);
  ASSERT_EQ(allApps->actions().size(), 600);
  EXPECT_TRUE(delegate.calls.empty()) << "nothing was opened";

  QAction* first = allApps->actions()[0];
  open(menu);
  EXPECT_EQ(open(shown->actions()[0]), allApps);
  EXPECT_EQ(allApps->actions()[0], first) << "opening found it ready";
  EXPECT_EQ(delegate.calls, std::vector<std::string>{"menuWillOpen"});

  // A change is prepared again: a fresh submenu, filled ahead.
  apps->removeItemAtIndex(0);
  while (renderer.prepareStep()) {
  }
  QMenu* refilled = shown->actions()[0]->menu();
  EXPECT_NE(refilled, allApps);
  EXPECT_EQ(refilled->actions().size(), 599);
  EXPECT_EQ(refilled->actions()[0]->text(), "App 1");
}

// The main menu is opened right after a change: while it is open and before
// the user reaches All Apps, the idle work prepares All Apps, and only it.
TEST_F(MenuRendererTest, IdleWorkGoesOnInTheClosedSubmenusOfAnOpenMenu) {
  Menu menu;
  menu.setDelegate(&delegate);
  auto apps = addAllApps(menu, {"Mail", "Notes", "Safari"});
  QMenu* shown = renderer.menuFor(menu);
  shown->popup(QPoint(10, 10));
  ASSERT_TRUE(shown->isVisible());
  const QList<QAction*> entries = shown->actions();
  QMenu* allApps = entries[0]->menu();
  ASSERT_TRUE(allApps->actions().isEmpty());

  while (renderer.prepareStep()) {
  }
  EXPECT_EQ(texts(allApps), (QStringList{"Mail", "Notes", "Safari"}));
  EXPECT_EQ(shown->actions(), entries) << "the open menu is untouched";
  EXPECT_EQ(entries[0]->menu(), allApps);

  // An open submenu that changed is not filled anew under the pointer.
  allApps->popup(QPoint(200, 10));
  apps->addItemWithTitle("Xcode", Action::LaunchAppWithItem, "");
  EXPECT_FALSE(renderer.prepareStep());
  EXPECT_EQ(texts(allApps), (QStringList{"Mail", "Notes", "Safari"}));
  allApps->hide();
  shown->hide();
}

// Plain text in menus is measured without shaping, which makes long menus
// open in half the time, in the desktop's own font.
TEST_F(MenuRendererTest, MenusKeepTheDesktopFontAndMeasurePlainTextWithoutShaping) {
  Menu menu;
  addAllApps(menu, {"Mail"});
  const QFont before = QApplication::font();
  QFont desktop = before;
  desktop.setPointSize(desktop.pointSize() + 3);
  QApplication::setFont(desktop);
  QMenu* shown = open(menu);
  QMenu* allApps = open(shown->actions()[0]);
  for (QMenu* drawn : {shown, allApps}) {
    EXPECT_EQ(drawn->font().family(), desktop.family());
    EXPECT_EQ(drawn->font().pointSize(), desktop.pointSize());
    EXPECT_TRUE(drawn->font().styleStrategy() & QFont::PreferNoShaping);
  }
  QApplication::setFont(before);
}

// Alt-clicking an entry edits its shortcut: pressing Alt must not close the
// menu, as some styles do.
TEST_F(MenuRendererTest, PressingAltLeavesTheMenuOpen) {
  Menu menu;
  menu.addItemWithTitle("Mail", Action::LaunchAppWithItem, "");
  QMenu* shown = renderer.menuFor(menu);
  shown->popup(QPoint(10, 10));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
  QCoreApplication::sendEvent(shown, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
  QCoreApplication::sendEvent(shown, &release);
  EXPECT_TRUE(shown->isVisible());
  shown->hide();
}

TEST_F(MenuRendererTest, TheDelegateHearsTheOpeningBeforeTheMenuIsDrawn) {
  Menu menu;
  menu.setDelegate(&delegate);
  menu.addItemWithTitle("Old", Action::LaunchAppWithItem, "");
  open(menu);
  // What the delegate changes while the menu opens (closing a window there
  // rebuilds the menus) shows at once.
  delegate.onMenuWillOpen = [&] {
    menu.removeAllItems();
    menu.addItemWithTitle("New", Action::LaunchAppWithItem, "");
  };
  EXPECT_EQ(texts(open(menu)), QStringList{"New"});
  EXPECT_EQ(delegate.calls, (std::vector<std::string>{"menuWillOpen", "menuWillOpen"}));
}

// Titles keep their underscores in a tray host's own drawing of the menu,
// where a single underscore would mark a mnemonic; an entry with a subtitle
// is made wide enough for it.
TEST_F(MenuRendererTest, UnderscoresAreKeptForTrayHostsAndSubtitlesWidenTheMenu) {
  Menu menu;
  auto tool = menu.addItemWithTitle("my_tool", Action::LaunchAppWithItem, "");
  EXPECT_EQ(texts(open(menu)), QStringList{"my__tool"});
  const int plainWidth = renderer.menuFor(menu)->sizeHint().width();
  menu.removeAllItems();
  tool->setSubtitle("/Volumes/External Disk/Applications");
  menu.addItem(tool);
  EXPECT_GT(open(menu)->sizeHint().width(), plainWidth + 100);
}

TEST_F(MenuRendererTest, PopUpPreparesOnceAndPlacesTheMenuBySize) {
  Menu menu;
  menu.setDelegate(&delegate);
  menu.addItemWithTitle("Mail", Action::LaunchAppWithItem, "");
  QSize measured;
  renderer.popUp(menu, [&](QSize size) {
    measured = size;
    return QPoint(30, 40);
  });
  QMenu* shown = renderer.menuFor(menu);
  EXPECT_TRUE(shown->isVisible());
  EXPECT_EQ(measured, shown->sizeHint()) << "placed with its entries already drawn";
  EXPECT_EQ(shown->pos(), QPoint(30, 40));
  EXPECT_EQ(delegate.calls, std::vector<std::string>{"menuWillOpen"});
  shown->hide();
}

// Typing selects an entry by its title, in a menu taller than the screen
// too; Return chooses it, Alt+Return opens its shortcut editor instead.
using TypeSelectTest = MenuRendererTest;

TEST_F(TypeSelectTest, TypedTextAddsUpUntilAPause) {
  qint64 now = 0;
  TypedPrefix typed([&] { return now; });
  EXPECT_FALSE(typed.takes(" ")) << "a space alone does what the key does";
  EXPECT_FALSE(typed.takes("\r"));
  const struct {
    qint64 at;
    const char* key;
    const char* prefix;
  } keys[] = {{0, "m", "m"}, {400, "A", "mA"}, {1300, " ", "mA "}, {2300, "n", "n"}, {2400, "o", "no"}};
  for (const auto& key : keys) {
    now = key.at;
    ASSERT_TRUE(typed.takes(key.key)) << key.key;
    EXPECT_EQ(typed.add(key.key), key.prefix) << key.at;
  }
  EXPECT_TRUE(typed.matches("Notes"));
  EXPECT_FALSE(typed.matches("Mail"));
}

TEST_F(TypeSelectTest, TypingSelectsAnEntryAndReturnChoosesIt) {
  Menu menu;
  std::vector<std::string> titles{"Manage"};
  for (int i = 0; i < 300; ++i) titles.push_back("App " + std::to_string(1000 + i));
  titles.push_back("Mail");
  titles.push_back("mail_tool");
  auto apps = addAllApps(menu, titles);
  apps->itemAtIndex(0)->setAction(Action::None);  // disabled: never selected
  QMenu* shown = renderer.menuFor(menu);
  shown->popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(shown));
  QMenu* allApps = shown->actions()[0]->menu();
  QTest::keyClicks(shown, "al");
  EXPECT_EQ(shown->activeAction(), shown->actions()[0]);
  EXPECT_FALSE(allApps->isVisible()) << "the keys still being typed stay with this menu";
  allApps->popup(QPoint(10, 10));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(allApps));

  QTest::keyClicks(allApps, "app 129");
  ASSERT_NE(allApps->activeAction(), nullptr);
  EXPECT_EQ(allApps->activeAction()->text(), "App 1290");
  EXPECT_TRUE(allApps->rect().contains(allApps->actionGeometry(allApps->activeAction())))
      << "scrolled into view";

  delegate.calls.clear();
  QTest::keyClicks(allApps, "9");
  QTest::keyClick(allApps, Qt::Key_Return);
  EXPECT_EQ(delegate.calls, std::vector<std::string>{"perform launchAppWithItem: App 1299"});

  shown->popup(QPoint(10, 10));
  allApps = shown->actions()[0]->menu();
  allApps->popup(QPoint(10, 10));
  delegate.calls.clear();
  QTest::keyClicks(allApps, "MAIL_");
  QTest::keyClick(allApps, Qt::Key_Return, Qt::AltModifier);
  EXPECT_EQ(delegate.calls, std::vector<std::string>{"editShortcut mail_tool"});
  EXPECT_FALSE(allApps->isVisible());
  EXPECT_FALSE(shown->isVisible()) << "the menus give the keyboard to the editor";
}

}  // namespace
}  // namespace wendaro
