// Kept apart from interface_file.cpp: only a program that links the
// application object needs it.
#include "app/app_delegate.h"
#include "desktop/qt/windows/interface_file.h"

namespace wendaro {

void InterfaceFile::connectApplication(AppDelegate& app, Updater* updater) {
  app.updater = updater;
  app.shortcutWindow = &shortcutWindow;
  app.shortcutView = &shortcutView;
  app.shortcutImageView = &shortcutImageView;
  app.directoriesWindow = &directoriesWindow;
  app.directoriesTableView = &directoriesTableView;
  app.categoriesWindow = &categoriesWindow;
  app.categoriesTableView = &categoriesTableView;
  app.appsWindow = &appsWindow;
  app.appsTableView = &appsTableView;
  connect(app, app, app,
          WindowActions{
              .toggleApp = [&app] { app.toggleApp(); },
              .addCategory = [&app] { app.addCategory(); },
              .removeCategory = [&app] { app.removeCategory(); },
              .moveUpCategory = [&app] { app.moveUpCategory(); },
              .moveDownCategory = [&app] { app.moveDownCategory(); },
              .addDirectory = [&app] { app.addDirectory(); },
              .removeDirectory = [&app] { app.removeDirectory(); },
              .revertDirectioriesToDefaults = [&app] { app.revertDirectioriesToDefaults(); },
          });
}

}  // namespace wendaro
