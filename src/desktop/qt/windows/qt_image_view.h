#pragma once

#include "platform/window.h"

class QLabel;

namespace wendaro {

// Shows an image handle in a label of the interface file, at the image's own
// size; no image (or one the Qt desktop did not make) leaves it empty.
class QtImageView final : public ImageView {
 public:
  explicit QtImageView(QLabel& label);
  void setImage(ImageRef image) override;
  const ImageRef& image() const { return image_; }

 private:
  QLabel& label_;
  ImageRef image_;
};

}  // namespace wendaro
