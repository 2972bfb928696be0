#pragma once

#include <functional>
#include <memory>

#include "desktop/qt/windows/qt_image_view.h"
#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/qt/windows/qt_table_view.h"
#include "desktop/qt/windows/qt_window.h"
#include "platform/defaults_store.h"
#include "platform/system_services.h"
#include "platform/table_view.h"
#include "platform/window.h"

class QLabel;
class QPushButton;

namespace wendaro {

class AppDelegate;

// What the buttons and check boxes of the windows send.
struct WindowActions {
  std::function<void()> toggleApp;
  std::function<void()> addCategory;
  std::function<void()> removeCategory;
  std::function<void()> moveUpCategory;
  std::function<void()> moveDownCategory;
  std::function<void()> addDirectory;
  std::function<void()> removeDirectory;
  std::function<void()> revertDirectioriesToDefaults;
};

// The four windows of the program, built from their Qt Designer forms: Apps,
// Categories, Directories and the shortcut editor, with their tables, the
// recorder and the editor's image view. Nothing is shown until the program
// shows it. Keyboard: Tab reaches every control, buttons have mnemonics,
// Escape closes a window.
class InterfaceFile {
  struct Forms;
  // First, so that the members below can be made from it.
  std::unique_ptr<Forms> forms_;

 public:
  // The recorder writes shortcuts to `defaults`.
  explicit InterfaceFile(DefaultsStore& defaults);
  ~InterfaceFile();
  InterfaceFile(const InterfaceFile&) = delete;
  InterfaceFile& operator=(const InterfaceFile&) = delete;

  // Connects the application object: its outlets (with `updater`, which the
  // update service provides), the tables' data source and text delegate, the
  // delegate of the Apps, Categories and Directories windows (setup makes it
  // the shortcut editor's), and the actions of the buttons and check boxes.
  void connectApplication(AppDelegate& app, Updater* updater);

  // The same wiring for any data source, delegates and actions.
  void connect(TableViewDataSource& dataSource, ControlTextDelegate& textDelegate, WindowDelegate& windowDelegate,
               WindowActions actions);
  // Undoes the tables' part of that before the application object goes: a
  // name still being typed is applied first, while it can still be taken.
  void disconnectTables();

  QtWindow appsWindow;
  QtWindow categoriesWindow;
  QtWindow directoriesWindow;
  QtWindow shortcutWindow;
  QtTableView appsTableView;
  QtTableView categoriesTableView;
  QtTableView directoriesTableView;
  QtShortcutView& shortcutView;
  QtImageView shortcutImageView;

  // The buttons, by what they do.
  QPushButton& addCategoryButton;
  QPushButton& removeCategoryButton;
  QPushButton& moveUpCategoryButton;
  QPushButton& moveDownCategoryButton;
  QPushButton& addDirectoryButton;
  QPushButton& removeDirectoryButton;
  QPushButton& revertDirectoriesButton;
  // Says why a category name was refused, while it is.
  QLabel& nameRefusedLabel;

 private:
  explicit InterfaceFile(std::unique_ptr<Forms> forms);
  WindowActions actions_;
};

}  // namespace wendaro
