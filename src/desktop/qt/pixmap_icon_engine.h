#pragma once

#include <QIconEngine>
#include <QMap>
#include <QPixmap>

namespace wendaro {

// An icon engine that draws its picture on demand, once per pixel size, and
// keeps what it drew. Subclasses say how to draw at a size.
class PixmapIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  bool isNull() override { return false; }

 protected:
  // The picture drawn into a transparent pixmap of exactly `pixelSize`.
  virtual QPixmap render(QSize pixelSize) const = 0;

 private:
  QPixmap cached(QSize pixelSize);

  QMap<QPair<int, int>, QPixmap> drawn_;
};

}  // namespace wendaro
