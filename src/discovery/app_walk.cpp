#include "discovery/app_walk.h"

#include <memory>
#include <unordered_map>

#include "discovery/app_names.h"
#include "discovery/desktop_file_ids.h"
#include "platform/path_strings.h"

namespace wendaro {

namespace {

// How often one walk lists the same directory: by its first path and by one
// more.
constexpr unsigned kMaxListings = 2;

// The extension of an entry name is exactly "app"; ".app" alone has none.
bool isAppName(std::string_view name) { return name.size() > 4 && name.ends_with(".app"); }

class AppWalk {
 public:
  AppWalk(FileManager& files, AppKinds& kinds, const std::string& root, AppScan& scan, ScanObserver* observer)
      : files_(files), kinds_(kinds), root_(root), scan_(scan), observer_(observer) {}

  void walk() {
    const std::string& root = root_;
    if (skipped(root, root)) return;
    if (pathExtension(root) == "app") {
      path_ = root;
      addApp();
      return;
    }
    path_ = root;
    enter(files_.openDirectory(root), true);
    while (!stack_.empty()) {
      Frame& top = stack_.back();
      if (top.next == top.entries.size()) {
        top.visits->onPath = false;
        stack_.pop_back();
        continue;
      }
      const DirectoryEntry& entry = top.entries[top.next++];
      path_.resize(top.pathLength);
      path_ += '/';
      path_ += entry.name;
      if (skipped(entry.name, path_)) continue;
      if (isAppName(entry.name)) {
        addApp();
      } else if (std::optional<AppFile> file = kinds_.examine(*top.directory, entry, path_)) {
        take(*file);
      } else if (entry.type != EntryType::NotDirectory) {
        enter(files_.openDirectoryAt(*top.directory, entry.name), false);
      }
    }
  }

 private:
  struct Visits {
    unsigned listings = 0;
    bool onPath = false;
  };

  // A directory being listed: its entries are visited in order, each child
  // walked completely before the next entry, as a recursive walk would.
  struct Frame {
    std::unique_ptr<DirectoryHandle> directory;
    std::span<const DirectoryEntry> entries;
    std::size_t next = 0;
    std::size_t pathLength = 0;  // of this directory's path in path_
    Visits* visits = nullptr;    // an unordered_map keeps its elements in place
  };

  bool skipped(std::string_view name, std::string_view path) {
    std::optional<std::string_view> why = whyNotAnAppPathName(name);
    if (why && observer_) observer_->skipped(path, *why);
    return why.has_value();
  }

  // The app named "*.app" at path_, titled by its display name.
  void addApp() {
    scan_.apps.push_back(path_);
    scan_.titles.emplace_back();
  }

  // An app file of the desktop's kinds at path_.
  void take(const AppFile& file) {
    using enum AppFile::Verdict;
    if (file.verdict == Invalid && observer_) observer_->skipped(path_, file.reason);
    const bool shown = file.verdict == Shown;
    std::vector<std::string>& paths = shown ? scan_.apps : scan_.notShownApps;
    if (file.identifiedByDesktopFileId) {
      if (std::optional<std::string> id = desktopFileId(root_, path_)) {
        auto [owner, first] = scan_.appsByDesktopFileId.try_emplace(std::move(*id));
        if (!first) return;  // a copy walked before has the ID
        if (file.verdict == Shown || file.verdict == NotShown) owner->second = {paths.size(), shown};
      }
    }
    if (file.verdict != Shown && file.verdict != NotShown) return;
    paths.push_back(path_);
    (shown ? scan_.titles : scan_.notShownTitles).push_back(oneLineTitle(file.title));
  }

  // Pushes the opened directory, unless it could not be opened, it is
  // already on the way down from the watched directory (a link back up), or
  // it has been listed as often as one walk lists a directory.
  void enter(OpenedDirectory opened, bool watched) {
    if (!opened.directory) {
      const bool unread = watched || opened.failure != OpenFailure::NotADirectory;
      if (unread) scan_.unreadDirectories.push_back(path_);
      const bool worthTelling = watched || opened.failure == OpenFailure::Unreadable;
      if (observer_ && worthTelling) observer_->couldNotRead(path_, opened.failure, opened.reason);
      return;
    }
    Visits& visits = visits_[opened.directory->identity()];
    if (visits.onPath || visits.listings == kMaxListings) return;
    ++visits.listings;
    visits.onPath = true;
    if (stack_.size() <= AppScan::kMaxWatchedDepth &&
        scan_.walkedDirectories.size() < AppScan::kMaxWatchedDirectories) {
      scan_.walkedDirectories.push_back(path_);
    }
    std::span<const DirectoryEntry> entries = opened.directory->entries();
    stack_.push_back({std::move(opened.directory), entries, 0, path_.size(), &visits});
  }

  FileManager& files_;
  AppKinds& kinds_;
  const std::string& root_;
  AppScan& scan_;
  ScanObserver* observer_;
  std::string path_;  // of the entry being visited; each frame owns a prefix
  std::vector<Frame> stack_;
  std::unordered_map<FileIdentity, Visits, FileIdentityHash> visits_;
};

}  // namespace

void collectAppPaths(FileManager& files, AppKinds& kinds, const std::string& root, AppScan& scan,
                     ScanObserver* observer) {
  AppWalk(files, kinds, root, scan, observer).walk();
}

void sortInAppNameOrder(AppScan& scan) {
  std::vector<std::string> keys;
  keys.reserve(scan.apps.size());
  for (std::size_t i = 0; i < scan.apps.size(); ++i) {
    keys.push_back(nameKey(scan.titles[i].empty() ? displayNameView(scan.apps[i]) : scan.titles[i]));
  }
  std::vector<std::string> apps;
  std::vector<std::string> titles;
  apps.reserve(scan.apps.size());
  titles.reserve(scan.apps.size());
  for (std::size_t index : nameKeyOrder(keys)) {
    apps.push_back(std::move(scan.apps[index]));
    titles.push_back(std::move(scan.titles[index]));
  }
  scan.apps = std::move(apps);
  scan.titles = std::move(titles);
}

AppTitles titlesOf(const AppScan& scan) {
  AppTitles titles;
  auto add = [&titles](const std::vector<std::string>& apps, const std::vector<std::string>& given) {
    for (std::size_t i = 0; i < apps.size(); ++i) {
      if (!given[i].empty()) titles.set(apps[i], given[i]);
    }
  };
  add(scan.apps, scan.titles);
  add(scan.notShownApps, scan.notShownTitles);
  return titles;
}

}  // namespace wendaro
