#include "app/app_delegate.h"
#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

// The index of the pinned app whose status item has `button`, if it is also
// an index of `menubar`.
std::optional<std::size_t> pinnedIndexOf(const AppDelegate& app, const StatusBarButton& button) {
  for (std::size_t i = 0; i < app.menubarStatusItems.size() && i < app.menubar.size(); ++i) {
    if (app.menubarStatusItems[i]->button() == &button) return i;
  }
  return std::nullopt;
}

}  // namespace

// Launches the pinned app of the button, or opens the shortcut editor for it
// with Option alone held. A button of no pinned app does nothing.
void AppDelegate::launchAppWithButton(StatusBarButton& sender) {
  std::optional<std::size_t> index = pinnedIndexOf(*this, sender);
  if (!index) return;
  const std::string appPath = menubar[*index];
  launchOrEditShortcut(appPath, false);
}

// These replace the buttons' own mouse handling. The main icon opens the main
// menu and stays highlighted until the menu closes; a pinned icon launches on
// mouse-down and stays highlighted until mouse-up.
void AppDelegate::mouseDown(StatusBarButton& button) {
  if (&button == menubarItem->button()) {
    if (isOptionKeyPressed()) {
      showShortcutWindow(keys::kMenuShortcut, false);
    } else {
      button.highlight(true);
      menubarItem->popUpStatusItemMenu(*menubarMenu);
    }
    return;
  }
  button.highlight(true);
  launchAppWithButton(button);
}

void AppDelegate::mouseUp(StatusBarButton& button) {
  if (&button != menubarItem->button()) button.highlight(false);
}

// A right click on the main icon opens the main menu, as a left click does
// (desktops that show tray menus themselves open it on a right click); on a
// pinned icon it opens that icon's own menu and launches nothing.
void AppDelegate::rightMouseDown(StatusBarButton& button) {
  if (&button == menubarItem->button()) {
    mouseDown(button);
    return;
  }
  std::optional<std::size_t> index = pinnedIndexOf(*this, button);
  if (!index) return;
  menubarStatusItems[*index]->popUpStatusItemMenu(*pinnedAppMenus[*index]);
}

// The main menu closed: the shortcut that may have opened it works again.
void AppDelegate::didCloseMenu(StatusBarButton& button, Menu&) {
  if (&button != menubarItem->button()) return;
  button.highlight(false);
  bindMenuShortcut();
}

}  // namespace wendaro
