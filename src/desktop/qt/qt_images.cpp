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

// Draws a vector picture afresh at every size, so that it stays sharp.
class SvgIconEngine : public PixmapIconEngine {
 public:
  explicit SvgIconEngine(QString resource) : resource_(std::move(resource)) {}
  QIconEngine* clone() const override { return new SvgIconEngine(resource_); }

 protected:
  QPixmap render(QSize pixelSize) const override {
    QPixmap picture(pixelSize);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resource_);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
  }

 private:
  QString resource_;
};

}  // namespace

QtImages::QtImages() { registerResources(); }

ImageRef QtImages::imageNamed(const std::string& name) {
  if (name == "MenubarIcon") {
    const QSize size = QSvgRenderer(QString(kMenubarIconResource)).defaultSize();
    return std::make_shared<QtImage>(QIcon(new SvgIconEngine(kMenubarIconResource)),
                                     Size{double(size.width()), double(size.height())});
  }
  return std::make_shared<QtImage>(QIcon(), Size{}, false);
}

ImageRef QtImages::drawImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                             double fraction) {
  return makeDrawnImage(source, canvas, inRect, fromRect, operation, fraction);
}

}  // namespace wendaro
