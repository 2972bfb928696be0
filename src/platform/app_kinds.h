#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_manager.h"

namespace wendaro {

// A file that the desktop knows as an app, found in a watched directory.
struct AppFile {
  enum class Verdict {
    Shown,  // an app for the lists and menus
    // An app that is there but that the desktop keeps out of its menus, for
    // this session (not for this desktop, its program not found on this
    // PATH) or for good (NoDisplay). It is no app of All Apps, yet the
    // user's lists keep it: it is not gone.
    NotShown,
    // Of an app's kind, but no app: one the user deleted (Hidden) or of
    // another type.
    NotAnApp,
    Invalid,  // of an app's kind by its name, but not readable as one
  };
  Verdict verdict = Verdict::Shown;
  // What the menus call the app; set when shown and when not shown.
  std::string title;
  // Why it is not shown or invalid, for people.
  std::string reason;
  // Apps of this kind are identified by their desktop-file ID: one app per
  // ID across the watched directories, the copy in the earliest directory
  // winning, shown or not.
  bool identifiedByDesktopFileId = false;
};

// The desktop's kinds of app besides entries named "*.app", which are apps
// by their name alone, titled by it, with no question asked here.
class AppKinds {
 public:
  virtual ~AppKinds() = default;
  // Called before each scan of the watched directories; what the answers
  // depend on (the user's languages, the current desktop) is read here.
  virtual void beginScan() = 0;
  // Whether the entry of `directory`, found at `path`, is an app of a kind
  // the desktop knows, and what it says about it. Nothing for anything else;
  // a directory that has an app's name may be an invalid app, which the walk
  // does not enter.
  virtual std::optional<AppFile> examine(const DirectoryHandle& directory, const DirectoryEntry& entry,
                                         std::string_view path) = 0;
  // The watched directories of a new user, in scan order.
  virtual std::vector<std::string> defaultDirectories() const = 0;
};

}  // namespace wendaro
