// Building the main menu and its sections against the fake desktop. Icons are
// handles; nothing is read from disk. Each benchmark reports the time per
// entry built ("per_entry").
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

using fake::FakeDesktop;

// App paths with names of mixed case in no particular order, as a scan of a
// few directories may give them before sorting.
std::vector<std::string> appPaths(std::size_t count, unsigned seed) {
  static const char* const stems[] = {"Mail", "notes", "Zed", "calendar", "Émail", "photo Kiosk", "Xylograph", "alpha"};
  std::vector<std::string> paths;
  paths.reserve(count);
  for (std::size_t i = 0; i < count; ++i) {
    paths.push_back("/Applications/Group " + std::to_string(i % 7) + "/" + stems[i % std::size(stems)] + " " +
                    std::to_string(i) + ".app");
  }
  std::shuffle(paths.begin(), paths.end(), std::mt19937(seed));
  return paths;
}

void perEntry(benchmark::State& state, std::size_t entries) {
  state.counters["per_entry"] = benchmark::Counter(static_cast<double>(entries),
                                                   benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void AllAppsMenu(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  FakeDesktop desktop;
  auto app = desktop.makeApplication();
  app->allApps = appPaths(count, 1);
  std::sort(app->allApps.begin(), app->allApps.end());
  for (auto _ : state) {
    app->rebuildAllAppsMenu();
    state.PauseTiming();
    desktop.log.clear();
    state.ResumeTiming();
  }
  perEntry(state, count);
}
BENCHMARK(AllAppsMenu)->Arg(1'000)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The first build of the whole main menu: 10,000 apps, 50 favourites, 20
// categories of 25 members and 5 pinned apps.
void WholeMainMenu(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  const std::vector<std::string> catalogue = appPaths(count, 2);
  std::size_t entries = 0;
  for (auto _ : state) {
    state.PauseTiming();
    FakeDesktop desktop;
    auto app = desktop.makeApplication();
    app->allApps = catalogue;
    app->favorites.assign(catalogue.begin(), catalogue.begin() + 50);
    for (int c = 0; c < 20; ++c) {
      const std::string name = "Category " + std::to_string(c);
      app->categories.push_back(name);
      app->categoriesApps[name].assign(catalogue.begin() + 100 + 25 * c, catalogue.begin() + 125 + 25 * c);
    }
    app->menubar.assign(catalogue.end() - 5, catalogue.end());
    entries = count + 50 + 20 * (25 + 1) + 5;
    state.ResumeTiming();
    app->setUpMenus();
    state.PauseTiming();
    app.reset();
    state.ResumeTiming();
  }
  perEntry(state, entries);
}
BENCHMARK(WholeMainMenu)->Arg(10'000)->Unit(benchmark::kMillisecond);

// Rebuilding the favourites above 50 categories.
void FavoritesSection(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  FakeDesktop desktop;
  auto app = desktop.makeApplication();
  app->favorites = appPaths(count, 3);
  for (int c = 0; c < 50; ++c) app->categories.push_back("Category " + std::to_string(c));
  app->setUpMenus();
  for (auto _ : state) {
    app->rebuildFavoriteItems();
    state.PauseTiming();
    desktop.log.clear();
    state.ResumeTiming();
  }
  perEntry(state, count);
}
BENCHMARK(FavoritesSection)->Arg(100)->Arg(1'000)->Unit(benchmark::kMillisecond);

// Rebuilding 50 categories of 20 members each below 100 or 1,000 favourites.
void CategoriesSection(benchmark::State& state) {
  const auto favorites = static_cast<std::size_t>(state.range(0));
  constexpr int kCategories = 50;
  constexpr int kMembers = 20;
  FakeDesktop desktop;
  auto app = desktop.makeApplication();
  app->favorites = appPaths(favorites, 4);
  const std::vector<std::string> members = appPaths(kCategories * kMembers, 5);
  for (int c = 0; c < kCategories; ++c) {
    const std::string name = "Category " + std::to_string(c);
    app->categories.push_back(name);
    app->categoriesApps[name].assign(members.begin() + kMembers * c, members.begin() + kMembers * (c + 1));
  }
  app->setUpMenus();
  for (auto _ : state) {
    app->rebuildCategoryItems();
    state.PauseTiming();
    desktop.log.clear();
    state.ResumeTiming();
  }
  perEntry(state, kCategories * (kMembers + 1));
}
BENCHMARK(CategoriesSection)->Arg(100)->Arg(1'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace wendaro

BENCHMARK_MAIN();
