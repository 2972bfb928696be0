#include "desktop/qt/app_icon_lookup.h"

#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QMimeDatabase>

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

QIcon themedIconForType(const QFileInfo& info) {
  if (appRunOf(info)) return QIcon::fromTheme(kGenericApplicationIcon);
  if (!info.exists()) return {};
  const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
  for (const QString& name : {type.iconName(), type.genericIconName()}) {
    if (QIcon::hasThemeIcon(name)) return QIcon::fromTheme(name);
  }
  return {};
}

}  // namespace

QIcon lookUpFileIcon(const QString& path) {
  const QFileInfo info(path);
  if (info.isDir()) {
    QIcon own = iconInsideDirectory(path);
    if (!own.isNull()) return own;
  }
  QIcon themed = themedIconForType(info);
  if (!themed.isNull()) return themed;
  if (QIcon::hasThemeIcon(kGenericApplicationIcon)) return QIcon::fromTheme(kGenericApplicationIcon);
  return QFileIconProvider().icon(info);
}

}  // namespace wendaro
