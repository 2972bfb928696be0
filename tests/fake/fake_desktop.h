#pragma once

#include <memory>

#include "app/app_delegate.h"
#include "fake/call_log.h"
#include "fake/fake_app_kinds.h"
#include "fake/fake_file_system.h"
#include "fake/fake_interface.h"
#include "fake/fake_services.h"
#include "fake/fake_shortcuts.h"
#include "fake/fake_status_bar.h"

namespace wendaro::fake {

// An in-memory desktop for tests: every platform service, the interface
// objects an interface file would make, and one call log for all of them.
// Tests set a situation through the public members (the control side) and
// read what happened from `log` and the members.
class FakeDesktop {
 public:
  FakeDesktop();
  FakeDesktop(const FakeDesktop&) = delete;
  FakeDesktop& operator=(const FakeDesktop&) = delete;

  CallLog log;
  FakeDefaultsStore defaults{log};
  FakeWorkspace workspace{log};
  FakeFileSystem fileSystem{log};
  FakeAppKinds appKinds{fileSystem};
  FakeDirectoryWatcher directoryWatcher;
  FakeAccessGrants accessGrants{log};
  FakeOpenPanels openPanels{log};
  FakeApplication application{log};
  FakeStatusBar statusBar{log, application};
  FakeEvents events;
  FakeImages images{log};
  FakeLoginItems loginItems{log};
  FakeStoreReview storeReview{log};
  FakeSystemInfo systemInfo;
  FakeClock clock;
  FakeStandardOutput standardOutput;
  FakeShortcutBinder binder{log, defaults};
  FakeShortcutViews shortcutViews{log, defaults};

  // The interface objects.
  FakeUpdater updater{log};
  FakeWindow appsWindow{log, "apps"};
  FakeWindow categoriesWindow{log, "categories"};
  FakeWindow directoriesWindow{log, "directories"};
  FakeWindow shortcutWindow{log, "shortcut"};
  FakeTableView appsTable{log, "apps"};
  FakeTableView categoriesTable{log, "categories"};
  FakeTableView directoriesTable{log, "directories"};
  FakeShortcutView shortcutView{log, defaults, "shortcutView"};
  FakeImageView shortcutImageView;

  Platform platform;

  // Does what loading the interface file does: makes the application object,
  // connects its outlets and makes it the application's delegate. By default
  // on this desktop's services; a benchmark may swap some for real ones.
  std::unique_ptr<AppDelegate> makeApplication();
  std::unique_ptr<AppDelegate> makeApplication(Platform& services);

  // This desktop's services with real files, and the real desktop's kinds
  // of app, in place of the fake ones.
  Platform platformWithFiles(FileManager& files, AppKinds& kinds);

  // The main menu-bar icon of the application made last.
  FakeStatusItem& mainStatusItem() { return *statusBar.made.at(mainItemIndex_); }

 private:
  std::size_t mainItemIndex_ = 0;
};

}  // namespace wendaro::fake
