#include "windows/member_lists.h"

#include "app/app_delegate.h"
#include "app/builtin_categories.h"

namespace wendaro {

std::vector<std::string>* managedMemberList(AppDelegate& app) {
  const std::string title = app.appsWindow->title();
  if (app.managingHardcodedCategory && title == kFavoritesCategory) return &app.favorites;
  if (app.managingHardcodedCategory && title == kMenuBarCategory) return &app.menubar;
  auto found = app.categoriesApps.find(title);
  return found == app.categoriesApps.end() ? nullptr : &found->second;
}

}  // namespace wendaro
