#include "app/app_delegate.h"
#include "commands/command_constants.h"

namespace wendaro {

void AppDelegate::support() {
  if (auto url = Url::withString(kSupportMailURL)) platform.workspace.openURL(*url);
}

// Systems from 10.14 on have their own rating prompt; older ones open the
// store's review page.
void AppDelegate::rate() {
  const auto version = platform.systemInfo.operatingSystemVersion();
  if (version.majorVersion > 10 || (version.majorVersion == 10 && version.minorVersion >= 14)) {
    platform.storeReview.requestReview();
    return;
  }
  if (auto url = Url::withString(kStoreReviewURL)) platform.workspace.openURL(*url);
}

}  // namespace wendaro
