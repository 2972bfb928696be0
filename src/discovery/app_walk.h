#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "discovery/app_titles.h"
#include "discovery/scan_observer.h"
#include "platform/app_kinds.h"
#include "platform/file_manager.h"

namespace wendaro {

// What walking the watched directories found.
struct AppScan {
  // Every app path, in walk order.
  std::vector<std::string> apps;
  // The title of each app that the desktop gave, in one line; "" for an app
  // titled by its display name.
  std::vector<std::string> titles;
  // The apps that are there but not shown (AppFile::Verdict::NotShown), in
  // walk order, with their titles. They are not in `apps`, and the user's
  // lists keep them.
  std::vector<std::string> notShownApps;
  std::vector<std::string> notShownTitles;
  // Each desktop-file ID met, to the app that has it: its position, as
  // walked (before any sorting), in `apps` when shown, in `notShownApps`
  // when not; kHidden when the copy that has it is no app or invalid (which
  // hides the app).
  static constexpr std::size_t kHidden = static_cast<std::size_t>(-1);
  struct DesktopFileIdOwner {
    std::size_t index = kHidden;
    bool shown = false;
  };
  std::unordered_map<std::string, DesktopFileIdOwner> appsByDesktopFileId;
  // The directories, spelled as the walk spelled them, that could not be
  // opened: a watched directory that failed for any reason, or one below it
  // that is missing or could not be read. Apps below them may still exist,
  // so their absence from `apps` proves nothing.
  std::vector<std::string> unreadDirectories;
  // The directories listed, spelled as the walk spelled them, that are
  // worth watching: the first kMaxWatchedDirectories of those at most
  // kMaxWatchedDepth levels below their watched directory. Apps live near
  // the top of the trees they are kept in, and a deep or huge tree must cost
  // neither the memory of all its paths nor every watch the system allows.
  std::vector<std::string> walkedDirectories;
  static constexpr std::size_t kMaxWatchedDirectories = 8192;
  static constexpr std::size_t kMaxWatchedDepth = 8;
};

// Walks `root` for apps and adds what it finds to `scan`, as the collectApps
// operation does: depth first, entries in listing order, each path spelled
// as `root`, "/" and the entry names.
//
// A path whose extension is "app" is an app, with no file-system question;
// any other entry, directories included, is what `kinds` says it is (the
// caller has begun the scan there); anything else that is a directory (links
// followed) is listed and its entries walked; everything else is passed
// over. Apps identified by a
// desktop-file ID (see desktopFileId) are one app per ID across the whole
// scan: the first copy walked wins, shown or not, and one that is no app
// or invalid hides the app. Beyond that plain rule the walk
// - never enters a directory that is already on its way down (same device
//   and inode), so a link to an ancestor cannot make it endless;
// - walks the contents of one directory at most twice per watched
//   directory: once by its first path and once more by a second path (a
//   link to it), whose apps are found under that path too; further paths to
//   it are passed over. Links that multiply paths (each directory linking
//   twice to the next) would otherwise make the walk exponential, and links
//   such as those of /proc would take it round the whole file system without
//   end;
// - keeps its own stack, so the depth of a tree cannot overflow the call
//   stack;
// - leaves out every path that cannot be an app path (see
//   whyNotAnAppPathName), and every app file that is not valid, telling the
//   observer.
void collectAppPaths(FileManager& files, AppKinds& kinds, const std::string& root, AppScan& scan,
                     ScanObserver* observer = nullptr);

// Sorts the apps of the scan, with their titles, stably in app name order;
// the positions of appsByDesktopFileId are then no longer theirs.
void sortInAppNameOrder(AppScan& scan);

// The titles that the desktop gave to the scan's apps, shown or not, by app
// path.
AppTitles titlesOf(const AppScan& scan);

}  // namespace wendaro
