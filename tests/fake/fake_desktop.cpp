#include "fake/fake_desktop.h"

namespace wendaro::fake {

FakeDesktop::FakeDesktop()
    : platform{defaults,  workspace,   fileSystem, appKinds,    directoryWatcher, accessGrants, openPanels, statusBar,
               events,    images,      application, loginItems,  storeReview,    systemInfo,
               clock,     standardOutput, binder,  shortcutViews} {
  appsWindow.table = &appsTable;
  categoriesWindow.table = &categoriesTable;
  directoriesWindow.table = &directoriesTable;
}

Platform FakeDesktop::platformWithFiles(FileManager& files, AppKinds& kinds) {
  return Platform{defaults, workspace,   files,       kinds,       directoryWatcher, accessGrants, openPanels, statusBar,
                  events,   images,      application, loginItems,   storeReview,    systemInfo,
                  clock,    standardOutput, binder,   shortcutViews};
}

std::unique_ptr<AppDelegate> FakeDesktop::makeApplication() { return makeApplication(platform); }

std::unique_ptr<AppDelegate> FakeDesktop::makeApplication(Platform& services) {
  mainItemIndex_ = statusBar.made.size();
  auto app = std::make_unique<AppDelegate>(services);
  app->updater = &updater;
  app->shortcutWindow = &shortcutWindow;
  app->shortcutView = &shortcutView;
  app->shortcutImageView = &shortcutImageView;
  app->directoriesWindow = &directoriesWindow;
  app->directoriesTableView = &directoriesTable;
  app->categoriesWindow = &categoriesWindow;
  app->categoriesTableView = &categoriesTable;
  app->appsWindow = &appsWindow;
  app->appsTableView = &appsTable;
  for (FakeTableView* table : {&appsTable, &categoriesTable, &directoriesTable}) {
    table->dataSource = app.get();
    table->textDelegate = app.get();
  }
  // The interface file makes the application object the delegate of the
  // management windows; the shortcut editor's delegate is set by setup.
  for (FakeWindow* window : {&appsWindow, &categoriesWindow, &directoriesWindow}) window->delegate = app.get();
  services.application.setDelegate(app.get());
  return app;
}

}  // namespace wendaro::fake
