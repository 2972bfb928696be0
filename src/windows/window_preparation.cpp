#include "app/app_delegate.h"

namespace wendaro {

// Once, at setup: below the main icon, movable by its background, without
// zoom and miniaturize buttons, floating above ordinary windows. Not shown.
void AppDelegate::prepareWindow(Window& window) {
  positionWindow(window);
  window.setMovableByWindowBackground(true);
  if (WindowButton* zoom = window.standardWindowButton(WindowButtonKind::Zoom)) zoom->setHidden(true);
  if (WindowButton* miniaturize = window.standardWindowButton(WindowButtonKind::Miniaturize)) {
    miniaturize->setHidden(true);
  }
  window.setLevel(kFloatingWindowLevel);
}

void AppDelegate::showWindowAtIcon(Window& window) {
  positionWindow(window);
  window.makeKeyAndOrderFront();
}

void AppDelegate::showCategoriesWindow() { showWindowAtIcon(*categoriesWindow); }

void AppDelegate::showDirectoriesWindow() { showWindowAtIcon(*directoriesWindow); }

// The window's title and the built-in flag are the only record of which
// category the Apps window manages.
void AppDelegate::showAppsWindow(const WendaroMenuItem* sender) {
  if (!sender || !sender->launchString) return;
  managingHardcodedCategory = sender->isHardcodedCategory;
  positionWindow(*appsWindow);
  appsWindow->setTitle(*sender->launchString);
  appsWindow->makeKeyAndOrderFront();
}

void AppDelegate::menuWillOpen(Menu&) { shortcutWindow->close(); }

void AppDelegate::windowWillClose(Window&) { refreshMenus(); }

}  // namespace wendaro
