#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace wendaro::bench {

// The shape of a synthetic tree of apps.
struct TreeShape {
  std::size_t entries = 0;           // about this many files, directories and links below the root
  std::size_t bundles = 0;           // directories named *.app
  std::size_t entriesPerBundle = 0;  // inside each bundle
};

// "small", "medium" or "large"; nothing for another name.
std::optional<TreeShape> namedTreeShape(std::string_view name);

struct TreeCounts {
  std::size_t entries = 0;
  std::size_t directories = 0;
  std::size_t bundles = 0;
  std::size_t appFiles = 0;   // plain files named *.app
  std::size_t links = 0;      // links to directories, one of them back up to an ancestor
};

// Fills the empty or new directory `root` with a tree of that shape, the same
// for the same seed: nested directories, *.framework and *.bundle
// directories, Tool.APP directories, plain files named *.app, links to
// directories, names in several scripts (some decomposed), and the bundles
// with their inner trees. Throws std::system_error when the file system
// refuses.
TreeCounts generateTree(const std::string& root, const TreeShape& shape, std::uint64_t seed);

}  // namespace wendaro::bench
