#include "desktop/qt/qt_images.h"

#include <QPainter>
#include <QSvgRenderer>

#include "desktop/qt/drawn_image.h"
#include "desktop/qt/pixmap_icon_engine.h"
#include "desktop/qt/qt_image.h"

// The resources of a static library are registered by hand, at global scope.
static void registerResources() { Q_INIT_RESOURCE(wendaro); }

namespace wendaro {

namespace {

// Draws a vector picture afresh at every size, so that it stays sharp. The
// picture is read on the first draw, once for every copy of the engine.
class SvgIconEngine : public PixmapIconEngine {
 public:
  explicit SvgIconEngine(QString resource) : picture_(std::make_shared<Picture>(std::move(resource))) {}
  QIconEngine* clone() const override { return new SvgIconEngine(picture_); }

 protected:
  QPixmap render(QSize pixelSize) const override {
    QPixmap picture(pixelSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    picture_->renderer().render(&painter);
    return picture;
  }

 private:
  struct Picture;
  explicit SvgIconEngine(std::shared_ptr<Picture> picture) : picture_(std::move(picture)) {}

  struct Picture {
    explicit Picture(QString path) : resource(std::move(path)) {}
    QSvgRenderer& renderer() {
      if (!read) read = std::make_unique<QSvgRenderer>(resource);
      return *read;
    }
    QString resource;
    std::unique_ptr<QSvgRenderer> read;
  };
  std::shared_ptr<Picture> picture_;
};

}  // namespace

QtImages::QtImages() { registerResources(); }

ImageRef QtImages::imageNamed(const std::string& name) {
  if (name == "MenubarIcon") {
    return std::make_shared<QtImage>(QIcon(new SvgIconEngine(kMenubarIconResource)),
                                     Size{kMenubarIconSide, kMenubarIconSide});
  }
  return std::make_shared<QtImage>(QIcon(), Size{}, false);
}

ImageRef QtImages::drawImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                             double fraction) {
  return makeDrawnImage(source, canvas, inRect, fromRect, operation, fraction);
}

}  // namespace wendaro
