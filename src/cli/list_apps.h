#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "platform/app_kinds.h"
#include "platform/defaults_store.h"
#include "platform/file_manager.h"

namespace wendaro::cli {

// The watched directories as the application would load them from the store:
// the stored list when it is a list of strings, else the default list.
std::vector<std::string> watchedDirectories(const DefaultsStore& store, const AppKinds& kinds);

// `wendaro --list-apps [DIR ...]`: walks the directories (none given: the
// watched ones) as a rescan does and writes the catalogue to `out`, one app
// path per line in catalogue order (for a desktop entry, the file that wins
// its ID). Each directory that cannot be read (but a default one that is not
// there) and each name or app file that is skipped is named on `err` while
// the walk goes on. Writes nothing to the store. Returns the exit status: 0,
// or 1 when `out` failed or a directory given as DIR could not be read (what
// could not be read below it, or among the watched directories, fails
// nothing).
int listApps(const std::vector<std::string>& directories, const DefaultsStore& store, FileManager& files,
             AppKinds& kinds, std::ostream& out, std::ostream& err);

}  // namespace wendaro::cli
