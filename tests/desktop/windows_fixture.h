#pragma once

#include <string>

#include <QAbstractItemModel>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTest>

#include "desktop/qt/windows/interface_file.h"
#include "fake/call_log.h"
#include "fake/fake_services.h"
#include "test_doubles.h"

namespace wendaro::testing {

// Where a click ticks the check box of a cell.
inline QPoint checkBoxCenter(QTableView& view, const QModelIndex& index) {
  QStyleOptionViewItem option;
  option.initFrom(view.viewport());
  option.rect = view.visualRect(index);
  option.features = QStyleOptionViewItem::HasCheckIndicator;
  option.widget = &view;
  return view.style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &view).center();
}

// The four windows connected to `rows`, with every action recorded in
// `rows.events`; a toggle records the apps table's selected row and cell as
// the action sees them.
class WindowsTest : public ::testing::Test {
 protected:
  WindowsTest() {
    rows.names = {"Mail", "Notes", "Safari", "Xcode"};
    rows.checks = {false, true, false, true};
    const auto record = [this](std::string event) { return [this, event] { rows.events.push_back(event); }; };
    ui.connect(rows, rows, rows,
               WindowActions{
                   .toggleApp =
                       [this] {
                         TableCell* cell = ui.appsTableView.selectedCell();
                         rows.events.push_back("toggle row " + std::to_string(ui.appsTableView.selectedRow()) +
                                               (cell && cell->isButtonCell()
                                                    ? " state " + std::to_string(cell->state())
                                                    : std::string(" not a check box")));
                       },
                   .addCategory = record("addCategory"),
                   .removeCategory = record("removeCategory"),
                   .moveUpCategory = record("moveUpCategory"),
                   .moveDownCategory = record("moveDownCategory"),
                   .addDirectory = record("addDirectory"),
                   .removeDirectory = record("removeDirectory"),
                   .revertDirectioriesToDefaults = record("revertDirectioriesToDefaults"),
               });
  }

  // Shows the window and waits until it has the keyboard.
  static void show(QtWindow& window) {
    window.makeKeyAndOrderFront();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window.widget()));
  }

  static QAbstractItemModel& model(QtTableView& table) { return *table.view().model(); }

  fake::CallLog log;
  fake::FakeDefaultsStore store{log};
  TableRows rows;
  InterfaceFile ui{store};
};

}  // namespace wendaro::testing
