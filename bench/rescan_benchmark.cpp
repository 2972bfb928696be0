// rescan_benchmark TREES [benchmark flags]: the whole rescan (walk, sort and
// reconciliation) of each tree TREES/small, TREES/medium, TREES/large that
// exists, beside `bfs -L` and `find -L` looking for the same bundles, then a
// table of the times and their ratios to bfs.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <map>
#include <random>

#include "desktop/linux/linux_app_kinds.h"
#include "desktop/linux/posix_file_manager.h"
#include "discovery/app_walk.h"
#include "fake/fake_desktop.h"

extern char** environ;

namespace wendaro {
namespace {

// The user's lists that each rescan reconciles: 500 favourites, 500 pins and
// 20 categories of 50 members, one in ten of them an app that is not there.
struct UserLists {
  std::vector<std::string> favorites;
  std::vector<std::string> menubar;
  std::map<std::string, std::vector<std::string>> categoriesApps;
  std::vector<std::string> categories;
};

UserLists makeUserLists(const std::vector<std::string>& catalogue) {
  std::mt19937_64 random(99);
  auto member = [&](std::size_t i) {
    if (catalogue.empty() || random() % 10 == 0) return "/Gone/App" + std::to_string(i) + ".app";
    return catalogue[random() % catalogue.size()];
  };
  UserLists lists;
  for (std::size_t i = 0; i < 500; ++i) lists.favorites.push_back(member(i));
  for (std::size_t i = 0; i < 500; ++i) lists.menubar.push_back(member(i));
  for (std::size_t c = 0; c < 20; ++c) {
    const std::string name = "Category " + std::to_string(c);
    lists.categories.push_back(name);
    auto& members = lists.categoriesApps[name];
    for (std::size_t i = 0; i < 50; ++i) members.push_back(member(i));
  }
  return lists;
}

void rescan(benchmark::State& state, const std::string& root) {
  fake::FakeDesktop desktop;
  PosixFileManager files;
  LinuxAppKinds kinds(files);
  Platform platform = desktop.platformWithFiles(files, kinds);
  AppDelegate app(platform);
  app.directories = {root};
  app.rescanApps();
  const UserLists lists = makeUserLists(app.allApps);
  for (auto _ : state) {
    app.favorites = lists.favorites;
    app.menubar = lists.menubar;
    app.categories = lists.categories;
    app.categoriesApps = lists.categoriesApps;
    app.rescanApps();
    desktop.log.clear();
  }
  state.counters["apps"] = static_cast<double>(app.allApps.size());
}

void walkOnly(benchmark::State& state, const std::string& root) {
  PosixFileManager files;
  LinuxAppKinds kinds(files);
  AppScan scan;
  for (auto _ : state) {
    scan = {};
    collectAppPaths(files, kinds, root, scan);
  }
  state.counters["apps"] = static_cast<double>(scan.apps.size());
}

// Runs the command with its output and errors thrown away (both tools report
// the link loop in the trees); the tools' exit status is not examined.
void runQuietly(const std::vector<std::string>& command) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const auto& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    std::fprintf(stderr, "cannot run %s\n", argv[0]);
    std::exit(1);
  }
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  waitpid(child, &status, 0);
}

void tool(benchmark::State& state, const std::string& program, const std::string& root) {
  const std::vector<std::string> command = {program, "-L", root, "-name", "*.app", "-prune"};
  for (auto _ : state) runQuietly(command);
}

// Keeps each run's mean real time, in milliseconds, by name.
class TableReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) milliseconds[run.run_name.function_name] = run.GetAdjustedRealTime();
  }
  std::map<std::string, double> milliseconds;
};

bool isDirectory(const std::string& path) {
  struct stat status {};
  return ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace
}  // namespace wendaro

int main(int argc, char* argv[]) {
  using namespace wendaro;
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: rescan_benchmark TREES [benchmark flags]\n");
    return 2;
  }
  const std::string trees = argv[1];
  std::vector<std::string> sizes;
  for (const char* size : {"small", "medium", "large"}) {
    const std::string root = trees + "/" + size;
    if (!isDirectory(root)) continue;
    sizes.push_back(size);
    // Warm the caches once, so that every contender meets the same warm tree.
    runQuietly({"bfs", "-L", root, "-name", "*.app", "-prune"});
    const auto add = [&size](const char* what, auto&&... arguments) {
      benchmark::RegisterBenchmark((std::string(what) + "/" + size).c_str(), arguments...)
          ->UseRealTime()
          ->Unit(benchmark::kMillisecond);
    };
    add("rescan", rescan, root);
    add("walk", walkOnly, root);
    add("bfs", tool, std::string("bfs"), root);
    add("find", tool, std::string("find"), root);
  }
  TableReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);

  std::printf("\n%-8s %12s %12s %12s %12s %12s %10s\n", "tree", "rescan ms", "(walk ms)", "bfs -L ms",
              "find -L ms", "rescan/bfs", "find/bfs");
  for (const auto& size : sizes) {
    auto& ms = reporter.milliseconds;
    const double rescanMs = ms["rescan/" + size], walkMs = ms["walk/" + size];
    const double bfsMs = ms["bfs/" + size], findMs = ms["find/" + size];
    std::printf("%-8s %12.2f %12.2f %12.2f %12.2f %12.2f %10.2f\n", size.c_str(), rescanMs, walkMs, bfsMs, findMs,
                rescanMs / bfsMs, findMs / bfsMs);
  }
  benchmark::Shutdown();
  return 0;
}
