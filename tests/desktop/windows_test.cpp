#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <map>

#include "desktop/qt/qt_images.h"
#include "desktop/qt/windows/interface_file.h"
#include "desktop/qt/windows/window_placement.h"
#include "desktop/store/plist_defaults_store.h"

namespace wendaro {
namespace {

// Rows of names with a check box each, served by column title as the
// application object does; the end of an edit, a window's closing and every
// action are recorded in `events`.
class TableRows final : public TableViewDataSource, public ControlTextDelegate, public WindowDelegate {
 public:
  std::vector<std::string> names{"Ledger", "Nimbus", "Quill", "Tally"};
  std::vector<bool> checks{false, true, false, true};  // rows past its end have no check box
  std::vector<std::string> events;
  std::map<std::string, int> asked;  // how often each column was asked for a value
  int rowsAskedOutOfRange = 0;

  long numberOfRowsInTableView(TableView&) override { return static_cast<long>(names.size()); }
  TableValue tableViewObjectValueForTableColumnRow(TableView&, const TableColumn& column, long row) override {
    if (row < 0 || row >= static_cast<long>(names.size())) {
      ++rowsAskedOutOfRange;
      return {};
    }
    const auto index = static_cast<std::size_t>(row);
    ++asked[column.title];
    if (column.title == "Icon") return QtImages().imageNamed("MenubarIcon");
    if (column.title == "Display") return index < checks.size() ? TableValue(bool(checks[index])) : TableValue{};
    return names[index];
  }
  bool controlTextShouldEndEditing(TableView&, const std::string&) override { return true; }
  void controlTextDidEndEditing(TableView& table) override {
    TableCell* cell = table.selectedCell();
    events.push_back("didEnd " + (cell ? cell->stringValue() : "<no cell>") + " row " +
                     std::to_string(table.selectedRow()));
  }
  void windowWillClose(Window& window) override { events.push_back("willClose " + window.title()); }
};

// The four windows connected to `rows`; a toggle records the row and the
// check box state that the action sees.
class WindowsTest : public ::testing::Test {
 protected:
  WindowsTest() {
    const auto record = [this](std::string event) { return [this, event] { rows.events.push_back(event); }; };
    const auto toggle = [this] {
      TableCell* cell = ui.appsTableView.selectedCell();
      rows.events.push_back("toggle row " + std::to_string(ui.appsTableView.selectedRow()) + " state " +
                            std::to_string(cell && cell->isButtonCell() ? cell->state() : -1));
    };
    ui.connect(rows, rows, rows,
               WindowActions{toggle, record("addCategory"), record("removeCategory"), record("moveUpCategory"),
                             record("moveDownCategory"), record("addDirectory"), record("removeDirectory"),
                             record("revertDirectories")});
  }

  // Shows the window and waits until it has the keyboard.
  static void show(QtWindow& window) {
    window.makeKeyAndOrderFront();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
  }
  static QAbstractItemModel& model(QtTableView& table) { return *table.view().model(); }

  QTemporaryDir settings;
  PlistDefaultsStore store{settings.filePath("defaults.plist").toStdString()};
  TableRows rows;
  InterfaceFile ui{store};
};

TEST(WindowPlacementTest, FramesAreKeptInsideTheScreenMovingAsLittleAsPossible) {
  const QRect left(0, 0, 1920, 1050), right(1920, 0, 1280, 1024);  // a panel takes the left's bottom 30 pixels
  const struct {
    const char* what;
    QRect frame;
    QRect area;
    QPoint topLeft;
  } kept[] = {
      {"inside stays", {100, 100, 400, 300}, left, {100, 100}},
      {"past the right edge", {1700, 100, 400, 300}, left, {1520, 100}},
      {"past the bottom edge (into the panel)", {100, 900, 400, 300}, left, {100, 750}},
      {"past the left and top edges", {-150, -40, 400, 300}, left, {0, 0}},
      {"on a second screen", {3100, 900, 400, 300}, right, {2800, 724}},
      {"larger than the area: top left", {500, 500, 2000, 1200}, left, {0, 0}},
      {"no area: unchanged", {-50, -50, 400, 300}, QRect(), {-50, -50}},
  };
  for (const auto& c : kept) EXPECT_EQ(keptInside(c.frame, c.area), c.topLeft) << c.what;
}

TEST_F(WindowsTest, EveryWayOfClosingTellsTheDelegateOnceThenHides) {
  QtWindow& window = ui.categoriesWindow;
  const std::function<void()> ways[] = {[&] { window.close(); }, [&] { window.widget().close(); },
                                        [&] { QTest::keyClick(&ui.categoriesTableView.view(), Qt::Key_Escape); }};
  for (const auto& close : ways) {
    show(window);
    close();
    EXPECT_FALSE(window.widget().isVisible());
  }
  window.close();  // not shown: still announced
  EXPECT_EQ(rows.events, std::vector<std::string>(4, "willClose Categories"));
}

using TableViewTest = WindowsTest;

TEST_F(TableViewTest, TheAppsTableShowsEachColumnByItsTitleAndAsksOnlyForWhatACellShows) {
  QAbstractItemModel& apps = model(ui.appsTableView);
  ASSERT_EQ(apps.rowCount(), 4);
  QStringList titles;
  for (int column = 0; column < apps.columnCount(); ++column)
    titles << apps.headerData(column, Qt::Horizontal).toString();
  EXPECT_EQ(titles, (QStringList{"Icon", "Name", "Display"}));
  // The data source may do real work for a value (icons are drawn anew).
  for (int column = 0; column < 3; ++column) {
    for (int role : {Qt::DisplayRole, Qt::EditRole, Qt::ToolTipRole, Qt::CheckStateRole, Qt::DecorationRole,
                     Qt::FontRole, Qt::SizeHintRole, Qt::BackgroundRole}) {
      apps.index(0, column).data(role);
    }
  }
  EXPECT_EQ(rows.asked, (std::map<std::string, int>{{"Display", 1}, {"Icon", 1}, {"Name", 3}}));
  EXPECT_FALSE(apps.index(2, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
  EXPECT_EQ(apps.index(2, 1).data().toString(), "Quill");
  EXPECT_FALSE(apps.flags(apps.index(1, 1)).testFlag(Qt::ItemIsEditable)) << "names are not edited here";
  EXPECT_EQ(apps.index(0, 2).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
  EXPECT_EQ(apps.index(1, 2).data(Qt::CheckStateRole).toInt(), Qt::Checked);

  rows.names.resize(2);  // a rescan shrank the list; the table was not reloaded
  EXPECT_TRUE(apps.index(3, 1).data().isNull());
  EXPECT_EQ(rows.rowsAskedOutOfRange, 0);
}

// A check box ticked by a click or by Space sends the toggle with its row
// selected and the box's new state.
TEST_F(TableViewTest, ATickedCheckBoxSendsTheToggleWithTheNewState) {
  show(ui.appsWindow);
  QTableView& view = ui.appsTableView.view();
  QStyleOptionViewItem box;
  box.initFrom(view.viewport());
  box.rect = view.visualRect(view.model()->index(2, 2));
  box.features = QStyleOptionViewItem::HasCheckIndicator;
  box.widget = &view;
  const QRect tick = view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &box, &view);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, tick.center());
  ui.appsTableView.selectRowIndexes(1, false);
  QTest::keyClick(&view, Qt::Key_Space);
  EXPECT_EQ(rows.events, (std::vector<std::string>{"toggle row 2 state 1", "toggle row 1 state 0"}));
}

TEST_F(TableViewTest, SelectionFollowsTheCoreAndSurvivesAReload) {
  QtTableView& table = ui.categoriesTableView;
  EXPECT_EQ(table.selectedCell(), nullptr);
  table.selectRowIndexes(2, false);
  table.selectRowIndexes(9, false);  // past the end: ignored
  EXPECT_EQ(table.selectedRow(), 2);
  rows.names.push_back("Yield");
  table.reloadData();
  EXPECT_EQ(table.selectedRow(), 2);
  rows.names.resize(2);
  table.reloadData();
  EXPECT_EQ(table.selectedRow(), -1);
}

// Whatever ends an edit (the window, a button, closing it) delivers the text
// first.
TEST_F(TableViewTest, EveryWayOfEndingAnEditDeliversTheTextFirst) {
  const std::pair<std::function<void()>, std::vector<std::string>> ends[] = {
      {[&] { ui.categoriesWindow.makeFirstResponder(nullptr); }, {"didEnd Work row 1"}},
      {[&] { QTest::mouseClick(&ui.removeCategoryButton, Qt::LeftButton); }, {"didEnd Work row 1", "removeCategory"}},
      {[&] { ui.categoriesWindow.close(); }, {"didEnd Work row 1", "willClose Categories"}}};
  for (const auto& [end, events] : ends) {
    rows.events.clear();
    show(ui.categoriesWindow);
    ui.categoriesTableView.selectRowIndexes(1, false);
    ui.categoriesTableView.editColumn(0, 1, true);
    QTest::keyClicks(ui.categoriesTableView.cellDelegate().openEditor(), "Work");
    end();
    EXPECT_EQ(rows.events, events);
  }
}

// The Apps table gets its model, and its column widths, when first shown.
TEST_F(TableViewTest, TheAppsColumnsAreLaidOutWhenTheWindowFirstShows) {
  QTableView& view = *ui.appsWindow.widget().findChild<QTableView*>();
  EXPECT_EQ(view.model(), nullptr) << "not before it is needed";
  show(ui.appsWindow);
  ASSERT_NE(view.model(), nullptr);
  const QHeaderView& header = *view.horizontalHeader();
  EXPECT_GE(header.sectionSize(0), view.iconSize().width() + 16);
  EXPECT_EQ(header.sectionResizeMode(1), QHeaderView::Stretch);
  EXPECT_EQ(header.sectionSize(2), header.sectionSizeHint(2));
}

}  // namespace
}  // namespace wendaro
