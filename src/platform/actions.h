#pragma once

namespace wendaro {

// The actions an interface object can send to the application object. A menu
// entry or status item holds one of these; the platform routes a chosen entry
// back through `ActionResponder`.
enum class Action {
  None,
  LaunchAppWithItem,
  LaunchCategoryWithItem,
  LaunchAppWithButton,
  ShowAppsWindow,
  ShowCategoriesWindow,
  ShowDirectoriesWindow,
  LaunchAtStartup,
  CheckForUpdates,
  Support,
  Rate,
  Terminate,
  // The shortcut editor, and unpinning, for the app of a pinned icon's menu.
  EditShortcutWithItem,
  RemoveFromMenuBarWithItem,
};

// Where an action goes. Without a target it reaches the application object,
// with the sending entry as sender.
enum class ActionTarget { None, Updater };

const char* actionName(Action action);

class MenuItem;
class StatusBarButton;

// Receives the actions of menu entries and status items that have no target.
class ActionResponder {
 public:
  virtual ~ActionResponder() = default;
  // A menu entry was chosen; it is the sender.
  virtual void performMenuItemAction(MenuItem& sender) = 0;
  // A status item sent its action; its button is the sender.
  virtual void performStatusItemAction(Action action, StatusBarButton& sender) = 0;
  // The keyboard's way into the shortcut editor (Alt+Return in an open
  // menu): the highlighted entry is the sender, null when none is.
  virtual void performShortcutEditing(const MenuItem* sender) = 0;
};

}  // namespace wendaro
