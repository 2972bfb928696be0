#include "desktop/linux/mount_points.h"

#include <sys/stat.h>

#include <fstream>
#include <set>
#include <sstream>

#include "desktop/linux/file_identity.h"

namespace wendaro {

namespace {

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// Mount tables write a space, tab, newline or backslash in a path as a
// backslash and three octal digits.
std::string unescaped(const std::string& field) {
  std::string path;
  for (std::size_t at = 0; at < field.size(); ++at) {
    const bool escape = field[at] == '\\' && at + 4 <= field.size() && isOctalDigit(field[at + 1]) &&
                        isOctalDigit(field[at + 2]) && isOctalDigit(field[at + 3]);
    if (escape) {
      path += static_cast<char>((field[at + 1] - '0') * 64 + (field[at + 2] - '0') * 8 + (field[at + 3] - '0'));
      at += 3;
    } else {
      path += field[at];
    }
  }
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The field at `index` (from 0) of each line that is no comment, taken as a
// path.
std::vector<std::string> pathsInColumn(const std::string& table, std::size_t index) {
  std::vector<std::string> paths;
  std::ifstream in(table);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::string field;
    for (std::size_t at = 0; at <= index && fields >> field; ++at) {
      if (at == 0 && field.starts_with('#')) break;
      if (at == index && field.starts_with('/')) paths.push_back(unescaped(field));
    }
  }
  return paths;
}

// The TARGET= of each line of a mount helper's table.
std::vector<std::string> helperTargets(const std::string& table) {
  std::vector<std::string> paths;
  std::ifstream in(table);
  std::string word;
  while (in >> word) {
    if (word.starts_with("TARGET=/")) paths.push_back(unescaped(word.substr(7)));
  }
  return paths;
}

}  // namespace

std::vector<FileIdentity> unmountedMountPoints(const MountTables& tables) {
  std::vector<std::string> expected = pathsInColumn(tables.configured, 1);
  for (std::string& target : helperTargets(tables.helperMounted)) expected.push_back(std::move(target));
  if (expected.empty()) return {};
  const std::vector<std::string> mountedList = pathsInColumn(tables.mounted, 4);
  const std::set<std::string> mounted(mountedList.begin(), mountedList.end());
  std::vector<FileIdentity> unmounted;
  for (const std::string& path : expected) {
    struct stat status {};
    if (mounted.contains(path) || ::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) continue;
    unmounted.push_back(identityOf(status));
  }
  return unmounted;
}

}  // namespace wendaro
