#pragma once

#include <string>

namespace wendaro {

class AppDelegate;

// What other programs may ask of the running program (over the session bus,
// see remote/). Each request goes through the operations a click or a menu
// choice uses, so that it follows the same rules.
enum class RequestOutcome {
  Done,
  UnknownApp,
  UnknownCategory,
  UnknownWindow,
  // Nothing started; the result says why.
  LaunchFailed,
};

struct RequestResult {
  RequestOutcome outcome;
  std::string failure;
};

// Opens the main menu as a plain click on the main icon does, without the
// Option test; a main menu that is open already stays open.
void openMainMenu(AppDelegate& app);

// Launches the app at the path, when the program knows it: an app of the
// catalogue, a favourite, a pinned app or a member of a category (the places
// the menus launch from), compared as app paths are.
RequestResult launchKnownApp(AppDelegate& app, const std::string& appPath);

// "Launch All" of the user category of that name; it failed when none of its
// members started.
RequestResult launchKnownCategory(AppDelegate& app, const std::string& name);

// Does what choosing the entry of that title in the "Manage" submenu does:
// "Favorites", "Menu Bar", "Categories" or "Directories" shows its window.
RequestOutcome showManagementWindow(AppDelegate& app, const std::string& title);

// What a shortcut key stands for, as the shortcut editor titles it: "Wendaro's
// Menu", an app's display name or a category's name; empty for a key outside
// the shortcut index.
std::string shortcutTitle(const AppDelegate& app, const std::string& shortcutKey);

}  // namespace wendaro
