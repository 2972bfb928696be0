#pragma once

#include <QString>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace wendaro::bench {

// A directory of `count` apps on disk, spread over a few groups:
// "<root>/Group K/App N.app", each an AppDir with an executable AppRun and a
// 48 by 48 ".DirIcon".
class AppTree {
 public:
  explicit AppTree(std::size_t count);
  QString root() const { return dir_.path(); }
  // Every app path, in the order they were made.
  const std::vector<std::string>& apps() const { return apps_; }

 private:
  QTemporaryDir dir_;
  std::vector<std::string> apps_;
};

}  // namespace wendaro::bench
