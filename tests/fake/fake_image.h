#pragma once

#include <memory>
#include <string>

#include "platform/image.h"

namespace wendaro::fake {

// An image that remembers where it came from: a named asset or file icon, or
// a drawing of another image.
class FakeImage : public Image {
 public:
  FakeImage(std::string imageName, Size size, bool valid = true)
      : name(std::move(imageName)), size_(size), valid_(valid) {}
  bool isValid() const override { return valid_; }
  Size size() const override { return size_; }

  std::string name;
  ImageRef drawnSource;  // for a drawn image: what was drawn where
  Rect drawnInRect;

 private:
  Size size_;
  bool valid_;
};

// The fake image behind a handle, or null.
inline const FakeImage* asFake(const ImageRef& image) { return dynamic_cast<const FakeImage*>(image.get()); }

}  // namespace wendaro::fake
