#include "app_tree.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>

namespace wendaro::bench {

namespace {

constexpr std::size_t kGroups = 20;

QByteArray iconPng() {
  QImage icon(48, 48, QImage::Format_ARGB32);
  icon.fill(QColor(40, 120, 200));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  icon.save(&buffer, "PNG");
  return bytes;
}

void write(const QString& path, const QByteArray& bytes, QFile::Permissions permissions) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) qFatal("cannot write %s", qPrintable(path));
  file.write(bytes);
  file.close();
  file.setPermissions(permissions);
}

}  // namespace

AppTree::AppTree(std::size_t count) {
  if (!dir_.isValid()) qFatal("no temporary directory");
  const QByteArray icon = iconPng();
  const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner;
  apps_.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    const QString app = QStringLiteral("%1/Group %2/App %3.app").arg(dir_.path()).arg(i % kGroups).arg(i);
    QDir().mkpath(app);
    write(app + "/AppRun", "#!/bin/sh\n", readable | QFile::ExeOwner);
    write(app + "/.DirIcon", icon, readable);
    apps_.push_back(app.toStdString());
  }
}

}  // namespace wendaro::bench
