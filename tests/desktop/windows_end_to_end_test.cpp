// The windows driven as a user drives them, through the real application
// object on the fake desktop's services: every button and table reaches the
// operation it is connected to. (The shortcut editor is driven in the real
// program by tests/e2e.)
#include <gtest/gtest.h>

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/app_delegate.h"
#include "desktop/qt/dialogs/qt_open_panel.h"
#include "desktop/qt/windows/interface_file.h"
#include "fake/fake_desktop.h"
#include "settings/defaults_keys.h"
#include "windows_fixture.h"

namespace wendaro {
namespace {

using testing::checkBoxCenter;

class WindowsEndToEndTest : public ::testing::Test {
 protected:
  WindowsEndToEndTest() { ui.connectApplication(*app, &desktop.updater); }

  static void show(QtWindow& window) { ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget())); }

  QLineEdit* editor(QtTableView& table) { return table.cellDelegate().openEditor(); }

  std::vector<std::string> rowsOf(QtTableView& table) {
    std::vector<std::string> rows;
    const QAbstractItemModel& model = *table.view().model();
    for (int row = 0; row < model.rowCount(); ++row) rows.push_back(model.index(row, 0).data().toString().toStdString());
    return rows;
  }

  const Value& stored(const std::string& key) const { return desktop.defaults.values.at(key); }

  // The add panel answers with whatever `choose` selects, as a user would.
  std::function<void(ChooseItemsDialog&)> choose;
  QtOpenPanels openPanels{[this](ChooseItemsDialog& dialog) {
    if (!choose) return int(QDialog::Rejected);
    choose(dialog);
    return dialog.result();
  }};
  fake::FakeDesktop desktop;
  QtShortcutViews shortcutViews{desktop.defaults};
  Platform platform{desktop.defaults,     desktop.workspace,  desktop.fileSystem,  desktop.appKinds,
                    desktop.directoryWatcher,             desktop.accessGrants,
                    openPanels,           desktop.statusBar,  desktop.events,      desktop.images,
                    desktop.application,  desktop.loginItems, desktop.storeReview, desktop.systemInfo,
                    desktop.clock,        desktop.standardOutput, desktop.binder,  shortcutViews};
  InterfaceFile ui{desktop.defaults};
  std::unique_ptr<AppDelegate> app = std::make_unique<AppDelegate>(platform);
};

TEST_F(WindowsEndToEndTest, ACategoryIsAddedAndNamedInPlace) {
  app->showCategoriesWindow();
  show(ui.categoriesWindow);
  QTest::mouseClick(&ui.addCategoryButton, Qt::LeftButton);
  ASSERT_NE(editor(ui.categoriesTableView), nullptr);
  EXPECT_EQ(editor(ui.categoriesTableView)->selectedText(), "New Category");

  QTest::keyClicks(editor(ui.categoriesTableView), "Work");
  QTest::keyClick(editor(ui.categoriesTableView), Qt::Key_Return);
  EXPECT_EQ(app->categories, std::vector<std::string>{"Work"});
  EXPECT_EQ(stored(keys::kCategories), stringArrayValue({"Work"}));
  EXPECT_EQ(rowsOf(ui.categoriesTableView), std::vector<std::string>{"Work"});

  // A name the application object refuses keeps the editor open; the name of
  // another category is made unique.
  QTest::mouseClick(&ui.addCategoryButton, Qt::LeftButton);
  QTest::keyClicks(editor(ui.categoriesTableView), "  ");
  QTest::keyClick(editor(ui.categoriesTableView), Qt::Key_Return);
  ASSERT_NE(editor(ui.categoriesTableView), nullptr);
  editor(ui.categoriesTableView)->setText("Work");
  QTest::keyClick(editor(ui.categoriesTableView), Qt::Key_Return);
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Work", "Work 2"}));
}

TEST_F(WindowsEndToEndTest, RemovingWhileEditingAppliesTheNameThenRemovesTheRow) {
  app->categories = {"Games", "Tools", "Web"};
  app->categoriesApps["Tools"] = {"/Applications/Xcode.app"};
  app->showCategoriesWindow();
  show(ui.categoriesWindow);
  ui.categoriesTableView.selectRowIndexes(1, false);
  ui.categoriesTableView.view().setFocus();
  QTest::keyClick(&ui.categoriesTableView.view(), Qt::Key_F2);
  ASSERT_NE(editor(ui.categoriesTableView), nullptr);
  editor(ui.categoriesTableView)->setText("Developer");

  QTest::mouseClick(&ui.removeCategoryButton, Qt::LeftButton);
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Games", "Web"}));
  EXPECT_TRUE(app->categoriesApps.empty());
  EXPECT_EQ(rowsOf(ui.categoriesTableView), (std::vector<std::string>{"Games", "Web"}));
}

TEST_F(WindowsEndToEndTest, UpAndDownMoveTheSelectedCategoryAndKeepItSelected) {
  app->categories = {"Games", "Tools", "Web"};
  app->showCategoriesWindow();
  show(ui.categoriesWindow);
  ui.categoriesTableView.selectRowIndexes(0, false);
  QTest::mouseClick(&ui.moveDownCategoryButton, Qt::LeftButton);
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Tools", "Games", "Web"}));
  EXPECT_EQ(ui.categoriesTableView.selectedRow(), 1);
  QTest::mouseClick(&ui.moveUpCategoryButton, Qt::LeftButton);
  QTest::mouseClick(&ui.moveUpCategoryButton, Qt::LeftButton);
  EXPECT_EQ(app->categories, (std::vector<std::string>{"Games", "Tools", "Web"}));
  EXPECT_EQ(rowsOf(ui.categoriesTableView), app->categories);
}

TEST_F(WindowsEndToEndTest, TickingAnAppInTheFavoritesWindowMakesItAFavorite) {
  app->allApps = {"/Applications/Mail.app", "/Applications/Safari.app"};
  WendaroMenuItem favorites("Favorites", Action::ShowAppsWindow, "");
  favorites.launchString = "Favorites";
  favorites.isHardcodedCategory = true;
  app->showAppsWindow(&favorites);
  show(ui.appsWindow);
  EXPECT_EQ(ui.appsWindow.widget().windowTitle(), "Favorites");

  QTableView& view = ui.appsTableView.view();
  EXPECT_EQ(view.model()->index(1, 1).data().toString(), "Safari");
  const QModelIndex box = view.model()->index(1, 2);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, checkBoxCenter(view, box));
  EXPECT_EQ(app->favorites, std::vector<std::string>{"/Applications/Safari.app"});
  EXPECT_EQ(stored(keys::kFavorites), stringArrayValue({"/Applications/Safari.app"}));
  EXPECT_EQ(box.data(Qt::CheckStateRole).toInt(), Qt::Checked);

  QTest::keyClick(&view, Qt::Key_Space);  // the same row, from the keyboard
  EXPECT_TRUE(app->favorites.empty());
}

TEST_F(WindowsEndToEndTest, TheDirectoriesWindowRemovesRevertsAndAddsWithThePanel) {
  app->showDirectoriesWindow();
  show(ui.directoriesWindow);
  EXPECT_EQ(rowsOf(ui.directoriesTableView), (std::vector<std::string>{"/Applications", "/System/Applications"}));

  ui.directoriesTableView.selectRowIndexes(0, false);
  QTest::mouseClick(&ui.removeDirectoryButton, Qt::LeftButton);
  EXPECT_EQ(app->directories, std::vector<std::string>{"/System/Applications"});
  EXPECT_EQ(rowsOf(ui.directoriesTableView), app->directories);

  QTest::mouseClick(&ui.revertDirectoriesButton, Qt::LeftButton);
  EXPECT_EQ(rowsOf(ui.directoriesTableView), (std::vector<std::string>{"/Applications", "/System/Applications"}));

  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  const std::string chosen = QDir(folder.path()).canonicalPath().toStdString();
  choose = [&](ChooseItemsDialog& dialog) {
    dialog.setDirectory(QString::fromStdString(chosen));
    dialog.acceptButton().click();  // nothing selected: the directory shown
  };
  QTest::mouseClick(&ui.addDirectoryButton, Qt::LeftButton);
  EXPECT_EQ(app->directories, (std::vector<std::string>{"/Applications", "/System/Applications", chosen}));
  EXPECT_EQ(rowsOf(ui.directoriesTableView), app->directories);
  EXPECT_EQ(app->bookmarks.size(), 1u);
}

}  // namespace
}  // namespace wendaro
