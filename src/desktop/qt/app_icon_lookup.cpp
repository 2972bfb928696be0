#include "desktop/qt/app_icon_lookup.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

#include "desktop/linux/desktop_entry_reader.h"
#include "desktop/qt/app_directory.h"
#include "platform/path_strings.h"

namespace wendaro {

namespace {

const char* const kGenericApplicationIcon = "application-x-executable";

QIcon iconInsideDirectory(const QString& directory) {
  const QDir dir(directory);
  const QString name = QString::fromStdString(displayName(directory.toStdString()));
  QStringList candidates{".DirIcon"};
  for (const QString& base : {name, name.toLower()}) {
    for (const char* suffix : {".svg", ".png", ".xpm"}) candidates << base + suffix;
  }
  for (const QString& candidate : candidates) {
    const QFileInfo file(dir.filePath(candidate));
    if (!file.isFile()) continue;
    QIcon icon(file.absoluteFilePath());
    if (!icon.pixmap(16).isNull()) return icon;  // a file that is not an image draws nothing
  }
  return {};
}

// A desktop entry's Icon: an absolute path is a file; anything else a theme
// name, where a common mistake, a file extension, is left off.
QIcon desktopEntryIcon(const QString& path) {
  static const DesktopEntryContext context = DesktopEntryContext::fromEnvironment();
  QString icon = QString::fromStdString(readDesktopEntry(path.toStdString(), context).icon);
  if (icon.isEmpty()) return {};
  if (QDir::isAbsolutePath(icon)) {
    QIcon file(icon);
    return file.pixmap(16).isNull() ? QIcon() : file;
  }
  const qsizetype dot = icon.lastIndexOf('.');
  if (dot >= 0 && QStringList{".png", ".xpm", ".svg"}.contains(icon.mid(dot))) icon.truncate(dot);
  return themeIcons().icon(icon);
}

QIcon themedIconForType(const QFileInfo& info) {
  if (appRunOf(info)) return themeIcons().icon(kGenericApplicationIcon);
  if (!info.exists()) return {};
  const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
  for (const QString& name : {type.iconName(), type.genericIconName()}) {
    QIcon icon = themeIcons().icon(name);
    if (!icon.isNull()) return icon;
  }
  return {};
}

}  // namespace

QIcon ThemeIcons::icon(const QString& name) {
  const auto found = known_.constFind(name);
  if (found != known_.constEnd()) return *found;
  QIcon icon = QIcon::fromTheme(name);
  return *known_.insert(name, icon.isNull() ? QIcon() : icon);
}

ThemeIcons& themeIcons() {
  static ThemeIcons icons;
  return icons;
}

QIcon lookUpFileIcon(const QString& path) {
  const QFileInfo info(path);
  if (info.isFile() && path.endsWith(".desktop")) {
    // Without an icon of its own an app shows the generic one, not that of its file's type.
    QIcon own = desktopEntryIcon(path);
    if (!own.isNull()) return own;
  } else {
    QIcon own = info.isDir() ? iconInsideDirectory(path) : QIcon();
    if (!own.isNull()) return own;
    QIcon themed = themedIconForType(info);
    if (!themed.isNull()) return themed;
  }
  QIcon generic = themeIcons().icon(kGenericApplicationIcon);
  if (!generic.isNull()) return generic;
  return QFileIconProvider().icon(info);
}

}  // namespace wendaro
