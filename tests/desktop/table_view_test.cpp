#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include "fake/fake_image.h"
#include "windows_fixture.h"

namespace wendaro {
namespace {

using testing::checkBoxCenter;

class TableViewTest : public testing::WindowsTest {
 protected:
  // Shows the Categories window and opens the editor of a row's name.
  QLineEdit* startEditing(long row) {
    show(ui.categoriesWindow);
    ui.categoriesTableView.selectRowIndexes(row, false);
    ui.categoriesTableView.editColumn(0, row, true);
    return ui.categoriesTableView.cellDelegate().openEditor();
  }
};

TEST_F(TableViewTest, TheAppsTableShowsEachColumnByItsTitle) {
  QAbstractItemModel& apps = model(ui.appsTableView);
  ASSERT_EQ(apps.rowCount(), 4);
  ASSERT_EQ(apps.columnCount(), 3);
  EXPECT_EQ(apps.headerData(0, Qt::Horizontal).toString(), "Icon");
  EXPECT_EQ(apps.headerData(1, Qt::Horizontal).toString(), "Name");
  EXPECT_EQ(apps.headerData(2, Qt::Horizontal).toString(), "Display");

  EXPECT_FALSE(apps.index(2, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_EQ(apps.index(2, 1).data().toString(), "Safari");
  EXPECT_EQ(apps.index(0, 2).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(apps.index(1, 2).data(Qt::CheckStateRole).toInt(), Qt::Checked);
  EXPECT_TRUE(apps.flags(apps.index(1, 2)).testFlag(Qt::ItemIsUserCheckable));
  EXPECT_FALSE(apps.flags(apps.index(1, 1)).testFlag(Qt::ItemIsEditable));

  // A category without a member list: no box at all, and Space ticks none.
  rows.checks.clear();
  ui.appsTableView.reloadData();
  EXPECT_FALSE(apps.index(1, 2).data(Qt::CheckStateRole).isValid());
  EXPECT_FALSE(apps.flags(apps.index(1, 2)).testFlag(Qt::ItemIsUserCheckable));
  show(ui.appsWindow);
  ui.appsTableView.selectRowIndexes(1, false);
  QTest::keyClick(&ui.appsTableView.view(), Qt::Key_Space);
  EXPECT_TRUE(rows.events.empty());
}

// Typing selects the first row whose name starts with the typed text; in the
// Directories window Delete removes the selected row.
TEST_F(TableViewTest, TheKeyboardSelectsByNameAndDeletes) {
  show(ui.appsWindow);
  QTableView& apps = ui.appsTableView.view();
  QTest::keyClicks(&apps, "sa");
  EXPECT_EQ(ui.appsTableView.selectedRow(), 2) << "Safari";
  QTest::keyClicks(&apps, "X");
  EXPECT_EQ(ui.appsTableView.selectedRow(), 2) << "no name starts with \"saX\"";
  EXPECT_TRUE(rows.events.empty());

  show(ui.directoriesWindow);
  QTest::keyClick(&ui.directoriesTableView.view(), Qt::Key_Delete);
  EXPECT_TRUE(rows.events.empty()) << "nothing selected";
  ui.directoriesTableView.selectRowIndexes(1, false);
  QTest::keyClick(&ui.directoriesTableView.view(), Qt::Key_Delete);
  EXPECT_EQ(rows.events, std::vector<std::string>{"removeDirectory"});
}

// The data source may do real work for a value (the apps' icons are drawn
// anew each time): it is asked only for what the cell shows.
TEST_F(TableViewTest, EachColumnIsAskedOnlyForTheKindOfValueItShows) {
  QAbstractItemModel& apps = model(ui.appsTableView);
  rows.asked.clear();
  for (int role : {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole, Qt::CheckStateRole, Qt::FontRole,
                   Qt::SizeHintRole}) {
    apps.index(0, 0).data(role);
  }
  for (int role : {Qt::DecorationRole, Qt::CheckStateRole, Qt::BackgroundRole}) apps.index(0, 1).data(role);
  for (int role : {Qt::DisplayRole, Qt::DecorationRole, Qt::ForegroundRole}) apps.index(0, 2).data(role);
  EXPECT_TRUE(rows.asked.empty());

  apps.index(0, 0).data(Qt::DecorationRole);
  apps.index(0, 1).data(Qt::DisplayRole);
  apps.index(0, 2).data(Qt::CheckStateRole);
  EXPECT_EQ(rows.asked, (std::map<std::string, int>{{"Display", 1}, {"Icon", 1}, {"Name", 1}}));
}

TEST_F(TableViewTest, NoImageOrOneTheQtDesktopDidNotMakeShowsNoIcon) {
  rows.icon = nullptr;
  EXPECT_TRUE(model(ui.appsTableView).index(0, 0).data(Qt::DecorationRole).isNull());
  rows.icon = std::make_shared<fake::FakeImage>("/Applications/Mail.app", Size{24, 24});
  EXPECT_TRUE(model(ui.appsTableView).index(0, 0).data(Qt::DecorationRole).isNull());
}

TEST_F(TableViewTest, ClickingACheckBoxSelectsItsRowAndSendsTheToggleWithTheNewState) {
  show(ui.appsWindow);
  QTableView& view = ui.appsTableView.view();
  const QModelIndex box = view.model()->index(2, 2);

  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, checkBoxCenter(view, box));
  EXPECT_EQ(rows.events, (std::vector<std::string>{"toggle row 2 state 1"}));
  EXPECT_EQ(ui.appsTableView.selectedRow(), 2);
  // The table keeps no state of its own: the box shows what the data source
  // holds after the toggle (here, unchanged).
  EXPECT_EQ(box.data(Qt::CheckStateRole).toInt(), Qt::Unchecked);

  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, checkBoxCenter(view, view.model()->index(1, 2)));
  EXPECT_EQ(rows.events.back(), "toggle row 1 state 0");
  EXPECT_EQ(ui.appsTableView.selectedRow(), 1);

  // A click on a name selects the row and sends nothing.
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualRect(view.model()->index(3, 1)).center());
  EXPECT_EQ(rows.events.size(), 2u);
  EXPECT_EQ(ui.appsTableView.selectedRow(), 3);
  ASSERT_NE(ui.appsTableView.selectedCell(), nullptr);
  EXPECT_FALSE(ui.appsTableView.selectedCell()->isButtonCell());
  EXPECT_EQ(ui.appsTableView.selectedCell()->stringValue(), "Xcode");
}

TEST_F(TableViewTest, SelectionFollowsTheCoreAndSurvivesAReload) {
  QtTableView& table = ui.categoriesTableView;
  EXPECT_EQ(table.selectedRow(), -1);
  EXPECT_EQ(table.selectedCell(), nullptr);
  table.selectRowIndexes(2, false);
  EXPECT_EQ(table.selectedRow(), 2);
  table.selectRowIndexes(9, false);  // past the end: ignored
  EXPECT_EQ(table.selectedRow(), 2);

  rows.names.push_back("Yelp");
  table.reloadData();
  EXPECT_EQ(model(table).rowCount(), 5);
  EXPECT_EQ(table.selectedRow(), 2);

  rows.names.resize(2);
  table.reloadData();
  EXPECT_EQ(table.selectedRow(), -1);
}

// The Apps table gets its model, and its column widths, when first shown: the
// icon column fits the icon, the check box column its title, and the name
// takes what is left.
TEST_F(TableViewTest, TheAppsColumnsAreLaidOutWhenTheWindowFirstShows) {
  QTableView& view = *ui.appsWindow.widget().findChild<QTableView*>();
  EXPECT_EQ(view.model(), nullptr) << "not before it is needed";
  EXPECT_EQ(ui.appsTableView.selectedRow(), -1);
  show(ui.appsWindow);
  ASSERT_NE(view.model(), nullptr);
  const QHeaderView& header = *view.horizontalHeader();
  EXPECT_GE(header.sectionSize(0), view.iconSize().width() + 16);
  EXPECT_EQ(header.sectionResizeMode(1), QHeaderView::Stretch);
  EXPECT_EQ(header.sectionSize(2), header.sectionSizeHint(2));
  EXPECT_EQ(view.model()->rowCount(), 4);
}

TEST_F(TableViewTest, RowsTheDataSourceNoLongerHasAreNeverAskedFor) {
  QAbstractItemModel& apps = model(ui.appsTableView);
  rows.names.resize(2);  // a rescan shrank the list; the table was not reloaded
  EXPECT_TRUE(apps.index(3, 1).data().isNull());
  EXPECT_EQ(rows.rowsAskedOutOfRange, 0);
}

TEST_F(TableViewTest, ARefusedEditStaysOpenUntilTheTextIsAccepted) {
  rows.refused = {"   "};
  QtTableView& table = ui.categoriesTableView;
  QLineEdit* editor = startEditing(0);
  ASSERT_NE(editor, nullptr);

  EXPECT_FALSE(ui.nameRefusedLabel.isVisible());
  QTest::keyClicks(editor, "   ");
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(table.cellDelegate().openEditor(), editor);
  EXPECT_TRUE(editor->isVisible());
  EXPECT_TRUE(ui.nameRefusedLabel.isVisible()) << "the window says why";

  // Asked to end from outside (a button of the window), it still refuses.
  ui.categoriesWindow.makeFirstResponder(nullptr);
  EXPECT_EQ(table.cellDelegate().openEditor(), editor);
  EXPECT_EQ(rows.events, (std::vector<std::string>{"shouldEnd    ", "shouldEnd    "}));

  QTest::keyClick(editor, Qt::Key_Backspace);
  QTest::keyClicks(editor, "x");
  QTest::keyClick(editor, Qt::Key_Enter);
  EXPECT_EQ(table.cellDelegate().openEditor(), nullptr);
  EXPECT_EQ(rows.events.back(), "didEnd   x");
  EXPECT_FALSE(ui.nameRefusedLabel.isVisible());
}

TEST_F(TableViewTest, EscapeAbandonsTheEdit) {
  QLineEdit* editor = startEditing(0);
  ASSERT_NE(editor, nullptr);
  QTest::keyClicks(editor, "Gone");
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(ui.categoriesTableView.cellDelegate().openEditor(), nullptr);
  EXPECT_TRUE(rows.events.empty());
  EXPECT_TRUE(ui.categoriesWindow.widget().isVisible());  // Escape did not reach the window
}

TEST_F(TableViewTest, EndingEditingFromTheWindowDeliversTheEditBeforeReturning) {
  QTest::keyClicks(startEditing(3), "Tools");
  ui.categoriesWindow.makeFirstResponder(nullptr);
  EXPECT_EQ(rows.events, (std::vector<std::string>{"shouldEnd Tools", "didEnd Tools"}));
  EXPECT_EQ(rows.rowAtEnd, 3);
}

TEST_F(TableViewTest, PressingAButtonWhileEditingEndsTheEditFirst) {
  QTest::keyClicks(startEditing(0), "Work");
  QTest::mouseClick(&ui.removeCategoryButton, Qt::LeftButton);
  EXPECT_EQ(rows.events, (std::vector<std::string>{"shouldEnd Work", "didEnd Work", "removeCategory"}));
}

TEST_F(TableViewTest, ClosingTheWindowWhileEditingKeepsTheTypedName) {
  QTest::keyClicks(startEditing(2), "Web");
  ui.categoriesWindow.close();
  EXPECT_EQ(rows.events, (std::vector<std::string>{"shouldEnd Web", "didEnd Web", "willClose Categories"}));
}

TEST_F(TableViewTest, F2AndReturnOpenTheCurrentNameForEditingWhereNamesAreEditable) {
  show(ui.categoriesWindow);
  QTableView& categories = ui.categoriesTableView.view();
  categories.setFocus();
  ui.categoriesTableView.selectRowIndexes(1, false);
  QTest::keyClick(&categories, Qt::Key_F2);
  QLineEdit* editor = ui.categoriesTableView.cellDelegate().openEditor();
  ASSERT_NE(editor, nullptr);
  EXPECT_EQ(editor->text(), "Notes");
  QTest::keyClick(editor, Qt::Key_Escape);

  QTest::keyClick(&categories, Qt::Key_Return);
  EXPECT_NE(ui.categoriesTableView.cellDelegate().openEditor(), nullptr);
  QTest::keyClick(ui.categoriesTableView.cellDelegate().openEditor(), Qt::Key_Escape);

  show(ui.directoriesWindow);
  QTableView& directories = ui.directoriesTableView.view();
  directories.setFocus();
  ui.directoriesTableView.selectRowIndexes(1, false);
  QTest::keyClick(&directories, Qt::Key_Return);
  QTest::keyClick(&directories, Qt::Key_F2);
  EXPECT_EQ(ui.directoriesTableView.cellDelegate().openEditor(), nullptr);
}

TEST_F(TableViewTest, TextIsCentredVerticallyOnePointAboveTheMiddleWithTheStylesInsets) {
  QTableView& view = ui.categoriesTableView.view();
  QStyleOptionViewItem option;
  option.initFrom(&view);
  option.widget = &view;
  option.rect = QRect(0, 40, 120, 30);
  option.features = QStyleOptionViewItem::HasDisplay;
  option.text = "Notes";
  const QRect styleRect = view.style()->subElementRect(QStyle::SE_ItemViewItemText, &option, &view);

  const QRectF title = CenteredTextCellDelegate::titleRect(option);
  EXPECT_DOUBLE_EQ(title.y(), 40 - 1.0 + 0.5 * (30 - option.fontMetrics.height()));
  EXPECT_EQ(title.x(), styleRect.x());
  EXPECT_EQ(title.width(), styleRect.width());
}

}  // namespace
}  // namespace wendaro
