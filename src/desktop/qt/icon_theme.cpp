#include "desktop/qt/icon_theme.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

namespace wendaro {

namespace {

// Each data directory's `name` folder that exists, after those in `directories`.
QStringList withDataFolders(QStringList directories, const char* name) {
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    const QString folder = QDir(data).filePath(name);
    if (!directories.contains(folder) && QFileInfo(folder).isDir()) directories << folder;
  }
  return directories;
}

QStringList iconDirectories() { return withDataFolders(QIcon::themeSearchPaths(), "icons"); }

bool isInstalled(const QString& theme, const QStringList& directories) {
  for (const QString& directory : directories) {
    if (QFileInfo::exists(QDir(directory).filePath(theme + "/index.theme"))) return true;
  }
  return false;
}

}  // namespace

void configureIconTheme() {
  const QStringList directories = iconDirectories();
  QIcon::setThemeSearchPaths(directories);
  // Icons outside any theme, where many desktop entries' icons are.
  QIcon::setFallbackSearchPaths(withDataFolders(QIcon::fallbackSearchPaths(), "pixmaps"));
  QIcon::setFallbackThemeName("hicolor");
  if (!QIcon::themeName().isEmpty() && QIcon::themeName() != "hicolor") return;
  for (const QString theme : {"Adwaita", "breeze", "gnome", "Tango"}) {
    if (isInstalled(theme, directories)) {
      QIcon::setThemeName(theme);
      return;
    }
  }
  QIcon::setThemeName("hicolor");
}

}  // namespace wendaro
