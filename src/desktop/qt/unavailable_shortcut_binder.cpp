#include "desktop/qt/unavailable_shortcut_binder.h"

namespace wendaro {

void UnavailableShortcutBinder::bindShortcutWithDefaultsKey(const std::string&, std::function<void()>) {
  if (told_ || !notice_) return;
  told_ = true;
  std::fputs("wendaro: global shortcuts are not available in this session\n", notice_);
  std::fflush(notice_);
}

}  // namespace wendaro
