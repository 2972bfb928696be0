#include "desktop/qt/file_icon_cache.h"

#include "desktop/qt/pixmap_icon_engine.h"
#include "desktop/qt/qt_image.h"

namespace wendaro {

namespace {

constexpr double kNominalIconSide = 32;

class FileIconEngine : public PixmapIconEngine {
 public:
  FileIconEngine(std::shared_ptr<FileIconCache> cache, QString path)
      : cache_(std::move(cache)), path_(std::move(path)) {}
  QIconEngine* clone() const override { return new FileIconEngine(cache_, path_); }

 protected:
  QPixmap render(QSize pixelSize) const override { return drawnAtPixelSize(cache_->iconFor(path_), pixelSize); }

 private:
  std::shared_ptr<FileIconCache> cache_;
  QString path_;
};

class FileIconImage : public LazyIconImage {
 public:
  FileIconImage(std::shared_ptr<FileIconCache> cache, std::string path)
      : LazyIconImage({kNominalIconSide, kNominalIconSide}), cache_(std::move(cache)), path_(std::move(path)) {}

 protected:
  QIconEngine* makeEngine() const override { return new FileIconEngine(cache_, QString::fromStdString(path_)); }

 private:
  std::shared_ptr<FileIconCache> cache_;
  std::string path_;
};

}  // namespace

FileIconCache::FileIconCache(Lookup lookup) : lookup_(std::move(lookup)) {}

ImageRef FileIconCache::iconForFile(std::string path) {
  return std::make_shared<FileIconImage>(shared_from_this(), std::move(path));
}

const QIcon& FileIconCache::iconFor(const QString& path) {
  auto found = icons_.constFind(path);
  if (found != icons_.constEnd()) return *found;
  return *icons_.insert(path, lookup_(path));
}

}  // namespace wendaro
