#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/wendaro_menu_item.h"
#include "discovery/app_titles.h"
#include "discovery/app_walk.h"
#include "platform/platform.h"
#include "platform/table_view.h"
#include "platform/window.h"

namespace wendaro {

// The one application object. It owns all state of the running program; every
// operation is one of its members. The operations are grouped by subsystem and
// each group is implemented in its own folder (named in the comment above it).
//
// Outlets are non-owning pointers to interface objects that the interface code
// creates and connects before `applicationDidFinishLaunching`.
class AppDelegate : public ApplicationDelegate,
                    public TableViewDataSource,
                    public MenuDelegate,
                    public WindowDelegate,
                    public ControlTextDelegate,
                    public StatusBarButtonEvents,
                    public ActionResponder {
 public:
  explicit AppDelegate(Platform& platform);
  ~AppDelegate() override;
  AppDelegate(const AppDelegate&) = delete;
  AppDelegate& operator=(const AppDelegate&) = delete;

  // The desktop services; set before any field below.
  Platform& platform;

  // Outlets.
  Updater* updater = nullptr;
  Window* shortcutWindow = nullptr;
  ShortcutView* shortcutView = nullptr;
  ImageView* shortcutImageView = nullptr;
  Window* directoriesWindow = nullptr;
  TableView* directoriesTableView = nullptr;
  Window* categoriesWindow = nullptr;
  TableView* categoriesTableView = nullptr;
  Window* appsWindow = nullptr;
  TableView* appsTableView = nullptr;

  // Menus and the main icon.
  const StatusItemRef menubarItem;
  const std::shared_ptr<Menu> menubarMenu;
  const std::shared_ptr<Menu> allAppsMenu;
  const std::shared_ptr<Menu> manageMenu;
  const std::shared_ptr<Menu> moreMenu;
  // The menus of the pinned icons, menu i for icon i, each the icon's own so
  // that a desktop that shows an icon's menu by itself gets that app's. Kept
  // when icons go (menus outlive what draws them) and reused by the next ones.
  std::vector<std::shared_ptr<Menu>> pinnedAppMenus;
  MenuItemRef categoriesSeparator;
  MenuItemRef favoritesSeparator;
  const MenuItemRef launchAtStartupMenuItem;

  // Lists. App paths are compared as strings; see discovery/app_names.h.
  std::vector<std::string> allApps;
  // The apps that are there but that the desktop keeps out of its menus
  // (see AppScan): not in the catalogue, but kept in the lists, whose menus
  // show them.
  std::vector<std::string> appsNotShown;
  // The titles the desktop gave to the apps of its own kinds, shown or not.
  AppTitles appTitles;
  std::vector<std::string> categories;
  std::vector<std::string> favorites;
  std::vector<std::string> menubar;
  std::vector<std::string> directories;
  std::vector<Value::Data> bookmarks;
  std::vector<Url> bookmarkURLs;
  std::vector<StatusItemRef> menubarStatusItems;
  std::map<std::string, std::vector<std::string>> categoriesApps;
  std::map<std::string, std::string> shortcutsIndex;
  // The directories the last scan could not read (see AppScan): apps below
  // them are kept in the lists though the catalogue lacks them.
  std::vector<std::string> unreadDirectories;
  bool managingHardcodedCategory = false;
  bool isSetup = false;

  // --- Start-up (app/) ---
  void applicationDidFinishLaunching() override;
  void setup();
  void installStatusIcon();
  // Routes a chosen menu entry or a status item's action to its operation.
  void performMenuItemAction(MenuItem& sender) override;
  void performStatusItemAction(Action action, StatusBarButton& sender) override;
  void performShortcutEditing(const MenuItem* sender) override;

  // --- Settings (settings/) ---
  void loadSettings();
  void saveDirectories();
  void saveCategories();
  void saveShortcutsIndex();

  // --- Discovery (discovery/) ---
  void rescanApps();
  // Something changed below the watched directories.
  void watchedDirectoriesDidChange();
  // Which of the user's lists following moved apps changed.
  struct FollowedLists {
    bool favorites = false;
    bool menubar = false;
    bool categories = false;
  };
  // The walk into the sorted catalogue, the lists following moved apps, the
  // Apps table reloaded and the walked directories watched: a rescan without
  // its pruning.
  FollowedLists scanApps();
  // Before the scan's apps are sorted.
  FollowedLists followMovedApps(const AppScan& scan);
  bool appSortsBefore(const std::string& a, const std::string& b) const;
  void addDirectory();
  void removeDirectory();
  void revertDirectioriesToDefaults();
  // Nothing when every chosen item was added, else the error that stopped it.
  std::optional<PlatformError> chooseDirectories();
  void resolveBookmarks(const std::vector<std::string>& excludedPaths);
  // The common tail of the three directory actions.
  void finishDirectoryAction();
  void pruneMissingApps();

  // --- Menus (menus/) ---
  void setUpMenus();
  void buildMainMenu();
  void buildManageMenu();
  void buildMoreMenu();
  void rebuildAllAppsMenu();
  void rebuildFavoriteItems();
  void rebuildCategoryItems();
  void refreshMenus();
  WendaroMenuItemRef makeMenuItem(const std::string& launchString, bool isCategory);
  ImageRef resizeIcon(const ImageRef& image, double side);
  void rebuildMenubarItems();
  // Fills `menu` for the pinned app: its name, its shortcut editor and its
  // removal from the menu bar.
  void buildPinnedAppMenu(Menu& menu, const std::string& appPath);
  void removeFromMenuBarWithItem(const WendaroMenuItem* sender);

  // --- Launching and shortcuts (launch/) ---
  bool isOptionKeyPressed() const;
  LaunchResult launchApp(const std::string& appPath);
  // Started when any member started, or when it has none.
  LaunchResult launchCategory(const std::string& category);
  void launchTarget(const std::string& launchString, bool isCategory);
  // With Option alone held, opens the shortcut editor of the target instead.
  void launchOrEditShortcut(const std::string& launchString, bool isCategory);
  void launchAppWithItem(const WendaroMenuItem* sender);
  void launchCategoryWithItem(const WendaroMenuItem* sender);
  void launchAppWithButton(StatusBarButton& sender);
  void mouseDown(StatusBarButton& button) override;
  void mouseUp(StatusBarButton& button) override;
  void rightMouseDown(StatusBarButton& button) override;
  // The shortcut editor of what a menu entry stands for: its app or
  // category, else the main menu.
  void editShortcutWithItem(const MenuItem* sender);
  void didCloseMenu(StatusBarButton& button, Menu& menu) override;
  void bindShortcuts();
  void bindMenuShortcut();
  // Binds the key to launching the target.
  void bindLaunchShortcut(const std::string& shortcutKey, const std::string& launchString, bool isCategory);
  // The target is gone for good: its index entry, binding and stored
  // shortcut go. Only an entry of the target's kind is its own.
  void forgetShortcut(const std::string& launchString, bool isCategory);
  // The target is now called `to`: its index entry and binding follow it,
  // with the stored shortcut under the same key. Nothing moves when `to`
  // has an entry already. Whether it moved; the index is not saved.
  bool moveShortcut(const std::string& from, const std::string& to, bool isCategory);
  void toggleMenuFromShortcut();
  void showShortcutWindow(const std::string& launchString, bool isCategory);
  // The title of the main menu or of an entry of the index, other than the
  // one of `shortcutKey`, whose key stores the shortcut (the first such key,
  // which is the one a shortcut stored twice starts); nothing when none does.
  // The editor records no shortcut twice.
  std::optional<std::string> shortcutOwnerTitle(const std::string& shortcutKey, const Shortcut& shortcut) const;

  // --- Management windows (windows/) ---
  long numberOfRowsInTableView(TableView& tableView) override;
  TableValue tableViewObjectValueForTableColumnRow(TableView& tableView, const TableColumn& column,
                                                   long row) override;
  void toggleApp();
  // Saves a member list the Apps window edits and shows it in the menus.
  void memberListChanged(const std::vector<std::string>* members);
  void addCategory();
  void removeCategory();
  void moveUpCategory();
  void moveDownCategory();
  void moveCategory(long index, long step);
  bool controlTextShouldEndEditing(TableView& control, const std::string& text) override;
  void controlTextDidEndEditing(TableView& control) override;
  void positionWindow(Window& window);
  void prepareWindow(Window& window);
  void showWindowAtIcon(Window& window);
  void showCategoriesWindow();
  void showDirectoriesWindow();
  void showAppsWindow(const WendaroMenuItem* sender);
  void menuWillOpen(Menu& menu) override;
  void windowWillClose(Window& window) override;

  // --- Commands (commands/) ---
  void launchAtStartup(const MenuItem& sender);
  void updateLaunchAtStartup();
  void support();
  void rate();
};

}  // namespace wendaro
