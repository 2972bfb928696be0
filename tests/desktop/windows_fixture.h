#pragma once

#include <QTableView>
#include <QTest>
#include <map>
#include <string>
#include <vector>

#include "desktop/qt/qt_images.h"
#include "desktop/qt/windows/interface_file.h"
#include "fake/call_log.h"
#include "fake/fake_services.h"

namespace wendaro::testing {

// Rows of names with a check box each, served by column title as the
// application object does; the end of an edit, a window's closing and every
// action are recorded in `events`.
class TableRows final : public TableViewDataSource, public ControlTextDelegate, public WindowDelegate {
 public:
  std::vector<std::string> names{"Ledger", "Notes", "Quill", "Tally"};
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

  fake::CallLog log;
  fake::FakeDefaultsStore store{log};
  TableRows rows;
  InterfaceFile ui{store};
};

}  // namespace wendaro::testing
