// The first opening of "All Apps" in the tray's main menu, on the offscreen
// platform: the QMenu is filled with every entry, laid out and drawn once,
// which reads the icons of the entries in view from disk. The menu model and
// the icon handles are made beforehand, as start-up makes them.
#include <QMenu>

#include <algorithm>
#include <memory>
#include <unordered_map>

#include <benchmark/benchmark.h>

#include "app_tree.h"
#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_application.h"
#include "desktop/qt/qt_events.h"
#include "desktop/qt/qt_images.h"
#include "desktop/qt/qt_status_bar.h"
#include "desktop/qt/qt_workspace.h"
#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

// The fake desktop with the Qt tray, menus, images and workspace in place.
struct QtDesktop {
  fake::FakeDesktop fake;
  QtApplication application;
  QtWorkspace workspace;
  QtImages images;
  QtEvents events{[] { return Qt::KeyboardModifiers(); }};
  MenuRenderer renderer{application};
  QtStatusBar statusBar{application, renderer};
  Platform platform{fake.defaults,      workspace,         fake.fileSystem,  fake.appKinds,
                    fake.directoryWatcher,                fake.accessGrants,
                    fake.openPanels,    statusBar,         events,           images,
                    application,        fake.loginItems,   fake.storeReview, fake.systemInfo,
                    fake.clock,         fake.standardOutput, fake.binder,    fake.shortcutViews};
};

QAction* entryTitled(QMenu* menu, const QString& title) {
  const auto actions = menu->actions();
  auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* a) { return a->text() == title; });
  return found == actions.end() ? nullptr : *found;
}

// The desktop with 10,000 apps on disk and the menus built as start-up builds
// them, shared by the benchmarks below.
struct Started {
  // The fake's windows stand in for the interface file's.
  explicit Started(std::size_t count) : tree(count), app(desktop.fake.makeApplication(desktop.platform)) {
    app->allApps = tree.apps();
    app->setUpMenus();
  }
  bench::AppTree tree;
  QtDesktop desktop;
  std::unique_ptr<AppDelegate> app;
};

Started& started(std::size_t count) {
  static std::unordered_map<std::size_t, std::unique_ptr<Started>> made;
  auto& one = made[count];
  if (!one) one = std::make_unique<Started>(count);
  return *one;
}

// Times the first opening of All Apps from the opened main menu of a fresh
// renderer; `idleFirst` lets the renderer prepare while the program is idle
// before the user opens the menu.
void firstOpening(benchmark::State& state, bool idleFirst) {
  const auto count = static_cast<std::size_t>(state.range(0));
  Started& s = started(count);
  for (auto _ : state) {
    state.PauseTiming();
    auto renderer = std::make_unique<MenuRenderer>(s.desktop.application);
    QMenu* mainMenu = renderer->menuFor(*s.app->menubarMenu);
    if (idleFirst) {
      while (renderer->prepareStep()) {
      }
    }
    mainMenu->popup(QPoint(0, 0));
    QMenu* allApps = entryTitled(mainMenu, "All Apps")->menu();
    state.ResumeTiming();

    allApps->popup(QPoint(200, 0));
    benchmark::DoNotOptimize(allApps->grab());

    state.PauseTiming();
    if (allApps->actions().size() != qsizetype(count)) state.SkipWithError("All Apps is not complete");
    allApps->hide();
    mainMenu->hide();
    renderer.reset();
    state.ResumeTiming();
  }
  state.counters["icons_read"] = double(s.desktop.workspace.iconCache().lookups());
}

void FirstOpeningOfAllApps(benchmark::State& state) { firstOpening(state, false); }
void FirstOpeningOfAllAppsAfterIdle(benchmark::State& state) { firstOpening(state, true); }
BENCHMARK(FirstOpeningOfAllApps)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(FirstOpeningOfAllAppsAfterIdle)->Arg(1'000)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The idle work itself, all steps added up (the tray answers between steps).
void IdlePreparation(benchmark::State& state) {
  const auto count = static_cast<std::size_t>(state.range(0));
  Started& s = started(count);
  std::size_t steps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto renderer = std::make_unique<MenuRenderer>(s.desktop.application);
    renderer->menuFor(*s.app->menubarMenu);
    state.ResumeTiming();
    while (renderer->prepareStep()) ++steps;
    state.PauseTiming();
    renderer.reset();
    state.ResumeTiming();
  }
  state.counters["steps"] = benchmark::Counter(double(steps), benchmark::Counter::kAvgIterations);
}
BENCHMARK(IdlePreparation)->Arg(10'000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace wendaro
