#include "fake/fake_desktop.h"

#include "platform/menu_text.h"

namespace wendaro::fake {

FakeDesktop::FakeDesktop() : platform(platformWithFiles(fileSystem, appKinds)) {
  appsWindow.table = &appsTable;
  categoriesWindow.table = &categoriesTable;
  directoriesWindow.table = &directoriesTable;
}

Platform FakeDesktop::platformWithFiles(FileManager& files, AppKinds& kinds) {
  return Platform{defaults,    workspace,  files,  kinds,          directoryWatcher, accessGrants,
                  openPanels,  statusBar,  events, images,         application,      loginItems,
                  storeReview, systemInfo, clock,  standardOutput, binder,           shortcutViews};
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
  // The shortcut editor's delegate is set by setup.
  for (FakeWindow* window : {&appsWindow, &categoriesWindow, &directoriesWindow}) window->delegate = app.get();
  services.application.setDelegate(app.get());
  return app;
}

std::string menuText(const Menu& menu) {
  return menuTreeText(menu, [](const MenuItem& item) {
    std::string text;
    const ModifierFlags mask = item.keyEquivalentModifierMask();
    if (mask & kControlKeyMask) text += "Ctrl+";
    if (mask & kOptionKeyMask) text += "Alt+";
    if (mask & kShiftKeyMask) text += "Shift+";
    if (mask & kCommandKeyMask) text += "Meta+";
    return text + item.keyEquivalent();
  });
}

}  // namespace wendaro::fake
