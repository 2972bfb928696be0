#pragma once

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace wendaro {

// What an app directory runs: the executable file "AppRun" inside it, when
// `directory` is a directory that has one.
inline std::optional<QFileInfo> appRunOf(const QFileInfo& directory) {
  if (!directory.isDir()) return std::nullopt;
  QFileInfo appRun(QDir(directory.absoluteFilePath()).filePath("AppRun"));
  if (!appRun.isFile() || !appRun.isExecutable()) return std::nullopt;
  return appRun;
}

}  // namespace wendaro
