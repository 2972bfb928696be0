// generate_tree SIZE SEED DIR: writes a synthetic tree of apps into DIR.
#include <cstdlib>
#include <iostream>
#include <system_error>

#include "tree_generator.h"

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::cerr << "usage: generate_tree small|medium|large SEED DIR\n";
    return 2;
  }
  const auto shape = wendaro::bench::namedTreeShape(argv[1]);
  if (!shape) {
    std::cerr << "generate_tree: unknown size " << argv[1] << "\n";
    return 2;
  }
  try {
    const auto counts = wendaro::bench::generateTree(argv[3], *shape, std::strtoull(argv[2], nullptr, 10));
    std::cout << argv[1] << ": " << counts.entries << " entries, " << counts.directories << " directories, "
              << counts.bundles << " bundles, " << counts.appFiles << " files named *.app, " << counts.links
              << " links\n";
  } catch (const std::system_error& error) {
    std::cerr << "generate_tree: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
