#pragma once

#include <optional>
#include <string>
#include <vector>

#include "fake/call_log.h"
#include "platform/table_view.h"
#include "platform/window.h"

namespace wendaro::fake {

class FakeTableView;

class FakeWindowButton : public WindowButton {
 public:
  void setHidden(bool flag) override { hidden = flag; }
  bool hidden = false;
};

class FakeWindow : public Window {
 public:
  FakeWindow(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  Rect frame() const override { return frame_; }
  void setFrameOrigin(Point origin) override;
  void setMovableByWindowBackground(bool movable) override;
  WindowButton* standardWindowButton(WindowButtonKind kind) override;
  void setLevel(int newLevel) override;
  std::string title() const override { return title_; }
  void setTitle(const std::string& title) override;
  void makeKeyAndOrderFront() override;
  void close() override;
  void setDelegate(WindowDelegate* newDelegate) override;
  void makeFirstResponder(std::nullptr_t) override;

  // Control and state.
  Rect frame_{{0, 0}, {400, 300}};
  std::string title_;
  int level = 0;
  bool movableByBackground = false;
  bool visible = false;
  bool hasZoomButton = true;
  bool hasMiniaturizeButton = true;
  FakeWindowButton zoomButton, miniaturizeButton, closeButton;
  WindowDelegate* delegate = nullptr;
  // The table whose in-place editing ends with the window's first responder.
  FakeTableView* table = nullptr;

 private:
  CallLog& log_;
  std::string name_;
};

class FakeTableCell : public TableCell {
 public:
  bool isButtonCell() const override { return isButton; }
  int state() const override { return cellState; }
  std::string stringValue() const override { return text; }
  bool isButton = false;
  int cellState = 0;
  std::string text;
};

class FakeTableView : public TableView {
 public:
  FakeTableView(CallLog& log, std::string name) : log_(log), name_(std::move(name)) {}
  void reloadData() override;
  long selectedRow() const override { return selected; }
  void selectRowIndexes(long row, bool byExtendingSelection) override;
  void editColumn(long column, long row, bool select) override;
  TableCell* selectedCell() override { return hasSelectedCell ? &cell : nullptr; }

  // Control and state.
  long selected = -1;
  bool hasSelectedCell = false;
  FakeTableCell cell;
  std::optional<long> editingRow;
  TableViewDataSource* dataSource = nullptr;
  ControlTextDelegate* textDelegate = nullptr;
  int reloads = 0;

  // What the table shows: every row's value in a column, asked of the data
  // source as a desktop table would.
  std::vector<TableValue> column(const std::string& title);
  // The user selects a row and clicks the check box in it, which then reads
  // `on`, as the desktop does before it sends the toggle.
  void clickCheckBox(long row, bool on);
  // The user types `text` into the open editor and presses Return: true when
  // the delegate let the edit end.
  bool commitEdit(const std::string& text);

 private:
  CallLog& log_;
  std::string name_;
};

class FakeImageView : public ImageView {
 public:
  void setImage(ImageRef newImage) override { image = std::move(newImage); }
  ImageRef image;
};

}  // namespace wendaro::fake
