#pragma once

#include <QIconEngine>
#include <QMap>
#include <QPixmap>

namespace wendaro {

// An icon engine that draws its picture on demand, once per pixel size, and
// keeps what it drew. Subclasses say how to draw at a size.
//
// Sizes: an icon painted in a place of W by H at a device pixel ratio R is
// drawn into W*R by H*R device pixels and handed over with the ratio R, so
// that it is sharp and fills its place whatever the screen's scale.
class PixmapIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  bool isNull() override { return false; }

 protected:
  // The picture drawn into a transparent pixmap of exactly `pixelSize`
  // device pixels, at ratio 1.
  virtual QPixmap render(QSize pixelSize) const = 0;

 private:
  QPixmap cached(QSize pixelSize);

  QMap<QPair<int, int>, QPixmap> drawn_;
};

// `icon` drawn into exactly `pixelSize` device pixels, at ratio 1. An icon
// that has no picture of that size or shape is scaled to fit, centred.
QPixmap drawnAtPixelSize(const QIcon& icon, QSize pixelSize);

}  // namespace wendaro
