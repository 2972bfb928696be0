#include "desktop/qt/drawn_image.h"

#include <QPainter>

#include "desktop/qt/pixmap_icon_engine.h"
#include "desktop/qt/qt_image.h"

namespace wendaro {

namespace {

// The platform's compositing operations by number, as Qt's modes.
QPainter::CompositionMode compositionMode(int operation) {
  switch (operation) {
    case 0: return QPainter::CompositionMode_Clear;
    case 1: return QPainter::CompositionMode_Source;
    case kCompositeSourceOver: return QPainter::CompositionMode_SourceOver;
    case 3: return QPainter::CompositionMode_SourceIn;
    case 4: return QPainter::CompositionMode_SourceOut;
    case 5: return QPainter::CompositionMode_SourceAtop;
    case 6: return QPainter::CompositionMode_DestinationOver;
    case 7: return QPainter::CompositionMode_DestinationIn;
    case 8: return QPainter::CompositionMode_DestinationOut;
    case 9: return QPainter::CompositionMode_DestinationAtop;
    case 10: return QPainter::CompositionMode_Xor;
    default: return QPainter::CompositionMode_SourceOver;
  }
}

bool isZero(const Rect& rect) { return rect.size.width <= 0 || rect.size.height <= 0; }

// `rect` of a picture `height` points high, with the origin moved to the top
// left and scaled to pixels.
QRectF toPixels(const Rect& rect, double height, double scaleX, double scaleY) {
  return QRectF(rect.origin.x * scaleX, (height - rect.origin.y - rect.size.height) * scaleY,
                rect.size.width * scaleX, rect.size.height * scaleY);
}

class DrawnIconEngine : public PixmapIconEngine {
 public:
  DrawnIconEngine(ImageRef source, Size canvas, Rect inRect, Rect fromRect, int operation, double fraction)
      : source_(std::move(source)),
        canvas_(canvas),
        inRect_(inRect),
        fromRect_(fromRect),
        operation_(operation),
        fraction_(fraction) {}

  QIconEngine* clone() const override {
    return new DrawnIconEngine(source_, canvas_, inRect_, fromRect_, operation_, fraction_);
  }

 protected:
  QPixmap render(QSize pixelSize) const override {
    QPixmap canvas(pixelSize);
    canvas.fill(Qt::transparent);
    const QtImageSource* source = qtImageSource(source_);
    if (!source || !source_->isValid() || canvas_.width <= 0 || canvas_.height <= 0) return canvas;

    const double scaleX = pixelSize.width() / canvas_.width;
    const double scaleY = pixelSize.height() / canvas_.height;
    const QRectF target = toPixels(inRect_, canvas_.height, scaleX, scaleY);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setCompositionMode(compositionMode(operation_));
    painter.setOpacity(fraction_);
    if (isZero(fromRect_)) {
      painter.drawPixmap(target, source->pixmap(target.size().toSize()), QRectF());
    } else {
      // Only a part of the source: draw the source at the scale of the
      // canvas and take that part of it.
      const Size whole = source_->size();
      const QSize sourcePixels(qRound(whole.width * scaleX), qRound(whole.height * scaleY));
      painter.drawPixmap(target, source->pixmap(sourcePixels), toPixels(fromRect_, whole.height, scaleX, scaleY));
    }
    return canvas;
  }

 private:
  ImageRef source_;
  Size canvas_;
  Rect inRect_;
  Rect fromRect_;
  int operation_;
  double fraction_;
};

class DrawnImage : public LazyIconImage {
 public:
  DrawnImage(ImageRef source, Size canvas, Rect inRect, Rect fromRect, int operation, double fraction)
      : LazyIconImage(canvas),
        source_(std::move(source)),
        inRect_(inRect),
        fromRect_(fromRect),
        operation_(operation),
        fraction_(fraction) {}

 protected:
  QIconEngine* makeEngine() const override {
    return new DrawnIconEngine(source_, size(), inRect_, fromRect_, operation_, fraction_);
  }

 private:
  ImageRef source_;
  Rect inRect_;
  Rect fromRect_;
  int operation_;
  double fraction_;
};

}  // namespace

ImageRef makeDrawnImage(const ImageRef& source, Size canvas, Rect inRect, Rect fromRect, int operation,
                        double fraction) {
  return std::make_shared<DrawnImage>(source, canvas, inRect, fromRect, operation, fraction);
}

}  // namespace wendaro
