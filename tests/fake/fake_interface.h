#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/application.h"
#include "platform/status_bar.h"
#include "platform/table_view.h"
#include "platform/window.h"

namespace wendaro::fake {

class FakeTableView;

class FakeWindow : public Window {
 public:
  Rect frame() const override { return frame_; }
  void setFrameOrigin(Point origin) override { frame_.origin = origin; }
  void setMovableByWindowBackground(bool) override {}
  WindowButton* standardWindowButton(WindowButtonKind) override { return nullptr; }
  void setLevel(int) override {}
  std::string title() const override { return title_; }
  void setTitle(const std::string& title) override { title_ = title; }
  void makeKeyAndOrderFront() override { visible = true; }
  void close() override;
  void setDelegate(WindowDelegate* newDelegate) override { delegate = newDelegate; }
  void makeFirstResponder(std::nullptr_t) override;

  Rect frame_{{0, 0}, {400, 300}};
  std::string title_;
  bool visible = false;
  WindowDelegate* delegate = nullptr;
  FakeTableView* table = nullptr;  // whose in-place editing ends with the first responder
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
  void reloadData() override { ++reloads; }
  long selectedRow() const override { return selected; }
  void selectRowIndexes(long row, bool) override { selected = row; }
  void editColumn(long column, long row, bool select) override;
  TableCell* selectedCell() override { return hasSelectedCell ? &cell : nullptr; }

  long selected = -1;
  bool hasSelectedCell = false;
  FakeTableCell cell;
  std::optional<long> editingRow;
  TableViewDataSource* dataSource = nullptr;
  ControlTextDelegate* textDelegate = nullptr;
  int reloads = 0;

  std::vector<TableValue> column(const std::string& title);  // every row's value, asked of the data source
  void clickCheckBox(long row, bool on);  // selects the row and sets its check box, before the toggle is sent
  bool commitEdit(const std::string& text);  // types into the open editor and presses Return: whether it ended
};

class FakeImageView : public ImageView {
 public:
  void setImage(ImageRef newImage) override { image = std::move(newImage); }
  ImageRef image;
};

class FakeStatusBarButton : public StatusBarButton {
 public:
  void highlight(bool flag) override { highlighted = flag; }
  bool isHighlighted() const override { return highlighted; }
  void setMenu(Menu* newMenu) override { menu = newMenu; }
  std::optional<Rect> windowFrame() const override { return frame; }

  bool highlighted = false;
  Menu* menu = nullptr;
  std::optional<Rect> frame = Rect{{1000, 878}, {20, 22}};
};

class FakeStatusBar;

class FakeStatusItem : public StatusItem {
 public:
  explicit FakeStatusItem(FakeStatusBar& bar) : bar_(bar) {}
  StatusBarButton* button() override { return &fakeButton; }
  void setToolTip(const std::string& text) override { toolTip = text; }
  void setImage(ImageRef newImage) override { image = std::move(newImage); }
  void setAction(Action newAction) override { action = newAction; }
  void popUpStatusItemMenu(Menu& menu) override;

  FakeStatusBarButton fakeButton;
  std::string toolTip;
  ImageRef image;
  Action action = Action::None;
  bool removed = false;

 private:
  FakeStatusBar& bar_;
};

// The menu bar. Menus popped up stay open until a test closes them; presses
// on a button reach the application's delegate as the desktop delivers them.
class FakeStatusBar : public StatusBar {
 public:
  explicit FakeStatusBar(Application& application) : application_(application) {}
  StatusItemRef statusItemWithLength(double) override {
    return made.emplace_back(std::make_shared<FakeStatusItem>(*this));
  }
  void removeStatusItem(StatusItem& item) override { static_cast<FakeStatusItem&>(item).removed = true; }
  void cancelTracking(Menu& menu) override {
    if (openMenu == &menu) closeMenu();
  }

  // Every status item made, removed ones included, in order of creation.
  std::vector<std::shared_ptr<FakeStatusItem>> made;
  std::vector<std::shared_ptr<FakeStatusItem>> shown() const;
  void mouseDown(FakeStatusItem& item) { delegate()->mouseDown(item.fakeButton); }
  void mouseUp(FakeStatusItem& item) { delegate()->mouseUp(item.fakeButton); }
  void click(FakeStatusItem& item) {
    mouseDown(item);
    mouseUp(item);
  }
  void rightMouseDown(FakeStatusItem& item) { delegate()->rightMouseDown(item.fakeButton); }
  // The menu that is open, and the item it was shown from.
  Menu* openMenu = nullptr;
  FakeStatusItem* openMenuItem = nullptr;
  void closeMenu();  // a click elsewhere or a choice

 private:
  StatusBarButtonEvents* delegate() const { return dynamic_cast<StatusBarButtonEvents*>(application_.delegate()); }
  Application& application_;
};

}  // namespace wendaro::fake
