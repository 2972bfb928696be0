#pragma once

#include <memory>
#include <string>

#include "app/app_delegate.h"
#include "fake/call_log.h"
#include "fake/fake_file_system.h"
#include "fake/fake_interface.h"
#include "fake/fake_services.h"
#include "fake/fake_shortcuts.h"

namespace wendaro::fake {

// An in-memory desktop for tests: every platform service and the interface
// objects an interface file would make, with one call log.
class FakeDesktop {
 public:
  FakeDesktop();
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  CallLog log;
  FakeDefaultsStore defaults{log};
  FakeWorkspace workspace;
  FakeFileSystem fileSystem{log};
  FakeAppKinds appKinds{fileSystem};
  FakeDirectoryWatcher directoryWatcher;
  FakeAccessGrants accessGrants{log};
  FakeOpenPanels openPanels;
  FakeApplication application;
  FakeStatusBar statusBar{application};
  FakeEvents events;
  FakeImages images;
  FakeLoginItems loginItems;
  FakeStoreReview storeReview;
  FakeSystemInfo systemInfo;
  FakeClock clock;
  FakeStandardOutput standardOutput;
  FakeShortcutBinder binder{defaults};
  FakeShortcutViews shortcutViews{defaults};
  FakeUpdater updater{log};
  FakeWindow appsWindow, categoriesWindow, directoriesWindow, shortcutWindow;
  FakeTableView appsTable, categoriesTable, directoriesTable;
  FakeShortcutView shortcutView{defaults};
  FakeImageView shortcutImageView;

  Platform platform;

  // Makes the application object and connects its outlets, as loading the
  // interface file does; a benchmark may swap some services for real ones.
  std::unique_ptr<AppDelegate> makeApplication();
  std::unique_ptr<AppDelegate> makeApplication(Platform& services);

  Platform platformWithFiles(FileManager& files, AppKinds& kinds);  // with real files and kinds of app

  // The main menu-bar icon of the application made last.
  FakeStatusItem& mainStatusItem() { return *statusBar.made.at(mainItemIndex_); }

 private:
  std::size_t mainItemIndex_ = 0;
};

// A menu as text (see platform/menu_text.h), key equivalents spelled with
// their modifiers first ("Ctrl+Alt+K").
std::string menuText(const Menu& menu);

}  // namespace wendaro::fake
