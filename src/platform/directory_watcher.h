#pragma once

#include <functional>
#include <string>
#include <vector>

namespace wendaro {

// Hears about changes below directories.
class DirectoryWatcher {
 public:
  virtual ~DirectoryWatcher() = default;
  // From now on, and instead of what was watched before, `changed` runs on
  // the main thread soon after an entry is added, removed, renamed or
  // written in one of the directories, or one of them appears or goes. A
  // burst of changes runs it once.
  virtual void watchDirectories(const std::vector<std::string>& directories, std::function<void()> changed) = 0;
};

}  // namespace wendaro
