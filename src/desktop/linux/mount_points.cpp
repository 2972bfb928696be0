#include "desktop/linux/mount_points.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <set>
#include <string_view>

#include "desktop/linux/file_identity.h"

namespace wendaro {

namespace {

bool isOctalDigit(char c) { return c >= '0' && c <= '7'; }

// Mount tables write a space, tab, newline or backslash in a path as a
// backslash and three octal digits.
std::string unescaped(std::string_view field) {
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

// The whole file, or nothing when it cannot be read.
std::string contentsOf(const std::string& path) {
  std::string contents;
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a FIFO never blocks
  if (descriptor < 0) return contents;
  char buffer[16 * 1024];
  for (ssize_t got; (got = ::read(descriptor, buffer, sizeof buffer)) > 0;) contents.append(buffer, got);
  ::close(descriptor);
  return contents;
}

// Calls `take` with the whitespace-separated fields of each line.
template <typename Take>
void forEachLine(std::string_view text, Take take) {
  std::vector<std::string_view> fields;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    fields.clear();
    while (true) {
      const std::size_t start = line.find_first_not_of(" \t");
      if (start == std::string_view::npos) break;
      line.remove_prefix(start);
      const std::size_t length = std::min(line.find_first_of(" \t"), line.size());
      fields.push_back(line.substr(0, length));
      line.remove_prefix(length);
    }
    take(fields);
  }
}

// The field at `index` (from 0) of each line that is no comment, taken as a
// path.
std::vector<std::string> pathsInColumn(const std::string& table, std::size_t index) {
  std::vector<std::string> paths;
  forEachLine(contentsOf(table), [&](const std::vector<std::string_view>& fields) {
    if (fields.size() > index && !fields[0].starts_with('#') && fields[index].starts_with('/')) {
      paths.push_back(unescaped(fields[index]));
    }
  });
  return paths;
}

// The TARGET= of each line of a mount helper's table.
std::vector<std::string> helperTargets(const std::string& table) {
  std::vector<std::string> paths;
  forEachLine(contentsOf(table), [&](const std::vector<std::string_view>& fields) {
    for (std::string_view field : fields) {
      if (field.starts_with("TARGET=/")) paths.push_back(unescaped(field.substr(7)));
    }
  });
  return paths;
}

// A directory on another device than its parent's has a file system
// mounted on it; one on the same device may be an empty folder where nothing
// is mounted now (or a file system mounted on itself).
bool mayBeUnmounted(const std::string& path, const struct stat& status) {
  struct stat parent {};
  return ::stat((path + "/..").c_str(), &parent) == 0 && parent.st_dev == status.st_dev;
}

}  // namespace

std::vector<FileIdentity> unmountedMountPoints(const MountTables& tables) {
  std::vector<std::string> expected = pathsInColumn(tables.configured, 1);
  for (std::string& target : helperTargets(tables.helperMounted)) expected.push_back(std::move(target));
  std::vector<std::pair<std::string, FileIdentity>> suspects;
  for (std::string& path : expected) {
    struct stat status {};
    if (path == "/" || ::stat(path.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) continue;
    if (mayBeUnmounted(path, status)) suspects.emplace_back(std::move(path), identityOf(status));
  }
  // The table of what is mounted is slow to read, and needed only now.
  if (suspects.empty()) return {};
  const std::vector<std::string> mountedList = pathsInColumn(tables.mounted, 4);
  const std::set<std::string> mounted(mountedList.begin(), mountedList.end());
  std::vector<FileIdentity> unmounted;
  for (const auto& [path, identity] : suspects) {
    if (!mounted.contains(path)) unmounted.push_back(identity);
  }
  return unmounted;
}

}  // namespace wendaro
