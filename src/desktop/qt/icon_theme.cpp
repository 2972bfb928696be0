#include "desktop/qt/icon_theme.h"

#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QStandardPaths>

namespace wendaro {

namespace {

QStringList iconDirectories() {
  QStringList directories = QIcon::themeSearchPaths();
  for (const QString& data : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    const QString icons = QDir(data).filePath("icons");
    if (!directories.contains(icons) && QFileInfo(icons).isDir()) directories << icons;
  }
  return directories;
}

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
