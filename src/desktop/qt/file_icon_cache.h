#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

#include <functional>
#include <memory>
#include <string>

#include "platform/image.h"

namespace wendaro {

// The icons of paths, each looked up once: on the first draw of any handle for
// that path.
class FileIconCache : public std::enable_shared_from_this<FileIconCache> {
 public:
  using Lookup = std::function<QIcon(const QString& path)>;
  explicit FileIconCache(Lookup lookup);

  // A handle of nominal size 32 by 32 that is always valid. Making it reads
  // nothing; its first draw looks the path up unless another handle for the
  // same path was drawn before.
  ImageRef iconForFile(std::string path);

  // The looked-up icon of the path, looking it up now if needed.
  const QIcon& iconFor(const QString& path);
  // How many paths were looked up so far.
  std::size_t lookups() const { return static_cast<std::size_t>(icons_.size()); }

 private:
  Lookup lookup_;
  QHash<QString, QIcon> icons_;
};

}  // namespace wendaro
