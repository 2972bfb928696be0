#include "fake/fake_app_kinds.h"

namespace wendaro::fake {

std::optional<AppFile> FakeAppKinds::examine(const DirectoryHandle&, const DirectoryEntry&, std::string_view path) {
  auto found = appFiles_.find(path);
  if (found == appFiles_.end()) return std::nullopt;
  return found->second;
}

void FakeAppKinds::addAppFile(const std::string& path, const AppFile& file) {
  files_.addFile(path);
  appFiles_[path] = file;
}

void FakeAppKinds::addDesktopEntry(const std::string& path, const std::string& title, AppFile::Verdict verdict) {
  AppFile file;
  file.verdict = verdict;
  file.title = title;
  file.identifiedByDesktopFileId = true;
  if (verdict != AppFile::Verdict::Shown) file.reason = "not shown: " + title;
  addAppFile(path, file);
}

}  // namespace wendaro::fake
