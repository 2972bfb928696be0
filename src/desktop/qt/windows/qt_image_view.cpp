#include "desktop/qt/windows/qt_image_view.h"

#include <QLabel>

#include "desktop/qt/qt_image_source.h"

namespace wendaro {

QtImageView::QtImageView(QLabel& label) : label_(label) {}

void QtImageView::setImage(ImageRef image) {
  image_ = std::move(image);
  const QtImageSource* source = qtImageSource(image_);
  if (!source || !image_->isValid()) {
    label_.clear();
    return;
  }
  const Size size = image_->size();
  label_.setPixmap(source->pixmap(QSize(qRound(size.width), qRound(size.height)), label_.devicePixelRatioF()));
}

}  // namespace wendaro
