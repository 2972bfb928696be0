#include "app/app_delegate.h"

namespace wendaro {

namespace {

// As wide as the main icon.
constexpr double kPinnedIconLength = 20.0;
constexpr double kPinnedIconSide = 16;

}  // namespace

// Removes every pinned icon and makes one per entry of `menubar`, in order,
// so that status item i stands for app path i.
void AppDelegate::rebuildMenubarItems() {
  for (const auto& item : menubarStatusItems) platform.statusBar.removeStatusItem(*item);
  menubarStatusItems.clear();

  for (const auto& appPath : menubar) {
    StatusItemRef item = platform.statusBar.statusItemWithLength(kPinnedIconLength);
    item->setToolTip(appPath);
    item->setImage(resizeIcon(platform.workspace.iconForFile(appPath), kPinnedIconSide));
    item->setAction(Action::LaunchAppWithButton);
    menubarStatusItems.push_back(std::move(item));
  }
}

}  // namespace wendaro
