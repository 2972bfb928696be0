#include "tree_generator.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <system_error>
#include <vector>

namespace wendaro::bench {

namespace {

constexpr std::size_t kMaxDepth = 12;
// One entry in this many outside the bundles is a link to a directory.
constexpr std::size_t kEntriesPerLink = 400;

// Names in several scripts; the last is "Café" with a combining accent.
const char* const kWords[] = {"Caf\xC3\xA9", "\xC3\x9C" "bersicht", "\xCE\xA3\xCF\x8D\xCE\xBD\xCE\xB8\xCE\xB5\xCF\x83\xCE\xB7",
                              "\xE6\x97\xA5\xE6\x9C\xAC", "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB5\xD0\xBA\xD1\x82",
                              "Cafe\xCC\x81"};

struct Directory {
  std::string path;  // relative to the root
  std::size_t depth;
  bool hasSubdirectories = false;
};

class Generator {
 public:
  Generator(const std::string& root, std::uint64_t seed) : random_(seed) {
    if (::mkdir(root.c_str(), 0755) != 0 && errno != EEXIST) fail("mkdir " + root);
    root_ = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (root_ < 0) fail("open " + root);
    directories_.push_back({".", 0});
  }
  ~Generator() { ::close(root_); }
  Generator(const Generator&) = delete;
  Generator& operator=(const Generator&) = delete;

  TreeCounts run(const TreeShape& shape) {
    const std::size_t inBundles = shape.bundles * (shape.entriesPerBundle + 1);
    const std::size_t outside = shape.entries > inBundles ? shape.entries - inBundles : 0;
    const std::size_t links = outside / kEntriesPerLink;
    while (counts_.entries + links + 1 < outside) addOutsideEntry();
    for (std::size_t i = 0; i < links; ++i) addLink();
    addLoop();
    for (std::size_t i = 0; i < shape.bundles; ++i) addBundle(shape.entriesPerBundle);
    return counts_;
  }

 private:
  std::size_t below(std::size_t bound) { return static_cast<std::size_t>(random_() % bound); }
  std::string word() { return kWords[below(std::size(kWords))]; }
  std::string number() { return std::to_string(serial_++); }

  [[noreturn]] static void fail(const std::string& what) {
    throw std::system_error(errno, std::generic_category(), what);
  }
  void makeDirectory(const std::string& path) {
    if (::mkdirat(root_, path.c_str(), 0755) != 0) fail("mkdir " + path);
    ++counts_.entries;
  }
  void makeFile(const std::string& path) {
    int fd = ::openat(root_, path.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0644);
    if (fd < 0) fail("create " + path);
    ::close(fd);
    ++counts_.entries;
  }
  void makeLink(const std::string& target, const std::string& path) {
    if (::symlinkat(target.c_str(), root_, path.c_str()) != 0) fail("link " + path);
    ++counts_.entries;
    ++counts_.links;
  }

  Directory& anyDirectory() { return directories_[below(directories_.size())]; }

  std::string directoryName() {
    switch (below(20)) {
      case 0: return "Kit" + number() + ".framework";
      case 1: return "Plugin" + number() + ".bundle";
      case 2: return "Tool" + number() + ".APP";
      case 3: return word() + number();
      default: return "dir" + number();
    }
  }
  std::string fileName() {
    switch (below(10)) {
      case 0: return "lib" + number() + ".dylib";
      case 1: return word() + number() + ".txt";
      case 2: return "Info" + number() + ".plist";
      default: return "file" + number() + ".dat";
    }
  }

  void addOutsideEntry() {
    Directory& parent = anyDirectory();
    const std::size_t roll = below(100);
    if (roll < 14 && parent.depth < kMaxDepth) {
      const std::string path = parent.path + "/" + directoryName();
      const std::size_t depth = parent.depth + 1;
      parent.hasSubdirectories = true;
      makeDirectory(path);
      directories_.push_back({path, depth});
      ++counts_.directories;
    } else if (roll >= 14 && roll < 16) {
      makeFile(parent.path + "/Note" + number() + ".app");
      ++counts_.appFiles;
    } else {
      makeFile(parent.path + "/" + fileName());
    }
  }

  // A link from anywhere to a directory without subdirectories (which is
  // then walked twice, as a link to a sibling tree is), never to an ancestor
  // of the link.
  void addLink() {
    for (;;) {
      const Directory& parent = anyDirectory();
      const Directory& target = anyDirectory();
      if (target.hasSubdirectories || (parent.path + "/").starts_with(target.path + "/")) continue;
      std::string up;
      for (std::size_t i = 0; i < parent.depth; ++i) up += "../";
      makeLink(up + target.path.substr(2), parent.path + "/link" + number());
      return;
    }
  }

  // One link from a directory two levels down back to the root's child above
  // it, the cycle that the walks must notice.
  void addLoop() {
    for (const Directory& directory : directories_) {
      if (directory.depth == 2) {
        makeLink("..", directory.path + "/loop");
        return;
      }
    }
  }

  std::string bundleName() {
    switch (below(8)) {
      case 0: return word() + " " + number() + ".app";
      case 1: return "app" + number() + ".app";
      default: return "App" + number() + ".app";
    }
  }

  void addBundle(std::size_t inside) {
    const std::string bundle = anyDirectory().path + "/" + bundleName();
    makeDirectory(bundle);
    ++counts_.bundles;
    const std::string contents = bundle + "/Contents";
    const std::size_t start = counts_.entries;
    makeDirectory(contents);
    makeFile(contents + "/Info.plist");
    makeDirectory(contents + "/MacOS");
    makeFile(contents + "/MacOS/main");
    makeDirectory(contents + "/Resources");
    if (below(10) == 0) {
      makeDirectory(contents + "/Helper.app");
      makeFile(contents + "/Helper.app/Info.plist");
    }
    for (std::size_t i = 0; counts_.entries - start < inside; ++i) {
      makeFile(contents + "/Resources/r" + std::to_string(i) + ".png");
    }
  }

  std::mt19937_64 random_;
  int root_ = -1;
  std::vector<Directory> directories_;
  std::size_t serial_ = 0;
  TreeCounts counts_;
};

}  // namespace

std::optional<TreeShape> namedTreeShape(std::string_view name) {
  if (name == "small") return TreeShape{2000, 150, 8};
  if (name == "medium") return TreeShape{100000, 3000, 20};
  if (name == "large") return TreeShape{1000000, 20000, 20};
  return std::nullopt;
}

TreeCounts generateTree(const std::string& root, const TreeShape& shape, std::uint64_t seed) {
  return Generator(root, seed).run(shape);
}

}  // namespace wendaro::bench
