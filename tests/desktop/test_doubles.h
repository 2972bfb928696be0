#pragma once

#include <map>
#include <string>
#include <vector>

#include <QIcon>
#include <QPixmap>

#include "desktop/qt/qt_image_source.h"
#include "platform/table_view.h"
#include "platform/window.h"

namespace wendaro::testing {

// An image of the Qt desktop: a plain square of one colour.
class TestImage final : public Image, public QtImageSource {
 public:
  explicit TestImage(double side) : side_(side) {}
  bool isValid() const override { return true; }
  Size size() const override { return {side_, side_}; }
  QIcon icon() const override { return QIcon(pixmap({qRound(side_), qRound(side_)})); }
  QPixmap pixmap(QSize size, qreal devicePixelRatio = 1.0) const override {
    QPixmap square(size * devicePixelRatio);
    square.setDevicePixelRatio(devicePixelRatio);
    square.fill(Qt::darkCyan);
    return square;
  }

 private:
  double side_;
};

// Rows of names with a check box each, served by column title as the
// application object does, and the text-editing and window callbacks, each
// recorded in `events`.
class TableRows final : public TableViewDataSource, public ControlTextDelegate, public WindowDelegate {
 public:
  std::vector<std::string> names;
  // One per name; rows past its end have no check box value.
  std::vector<bool> checks;
  ImageRef icon = std::make_shared<TestImage>(24);
  // Texts the editing may not end with.
  std::vector<std::string> refused;
  std::vector<std::string> events;
  // Rows asked for at or past the row count the table was given.
  int rowsAskedOutOfRange = 0;
  // How often each column was asked for a value.
  std::map<std::string, int> asked;
  // What the table showed at the last end of an edit.
  std::string textAtEnd;
  long rowAtEnd = -2;

  long numberOfRowsInTableView(TableView&) override { return static_cast<long>(names.size()); }

  TableValue tableViewObjectValueForTableColumnRow(TableView&, const TableColumn& column, long row) override {
    if (row < 0 || row >= static_cast<long>(names.size())) {
      ++rowsAskedOutOfRange;
      return {};
    }
    const auto index = static_cast<std::size_t>(row);
    ++asked[column.title];
    if (column.title == "Icon") return icon;
    if (column.title == "Display") {
      if (index < checks.size()) return bool(checks[index]);
      return {};
    }
    return names[index];
  }

  bool controlTextShouldEndEditing(TableView&, const std::string& text) override {
    events.push_back("shouldEnd " + text);
    for (const auto& refusedText : refused) {
      if (text == refusedText) return false;
    }
    return true;
  }

  void controlTextDidEndEditing(TableView& table) override {
    TableCell* cell = table.selectedCell();
    textAtEnd = cell ? cell->stringValue() : "<no cell>";
    rowAtEnd = table.selectedRow();
    events.push_back("didEnd " + textAtEnd);
  }

  void windowWillClose(Window& window) override { events.push_back("willClose " + window.title()); }
};

}  // namespace wendaro::testing
