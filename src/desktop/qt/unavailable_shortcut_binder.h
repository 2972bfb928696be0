#pragma once

#include <cstdio>

#include "platform/shortcuts.h"

namespace wendaro {

// For sessions without global shortcuts: binds nothing, and says so once on
// the error stream when the first key is bound (unless told to stay quiet).
class UnavailableShortcutBinder : public ShortcutBinder {
 public:
  explicit UnavailableShortcutBinder(std::FILE* notice = stderr) : notice_(notice) {}
  void bindShortcutWithDefaultsKey(const std::string& key, std::function<void()> action) override;
  void breakBindingWithDefaultsKey(const std::string&) override {}

 private:
  std::FILE* notice_;
  bool told_ = false;
};

}  // namespace wendaro
