// Start-up of the tray program with 10,000 apps beside the bare scan of the
// same apps, in the same run, on the offscreen platform: apps named *.app
// (kind 0) and desktop entries of about 4 KB (kind 1).
//
// Start-up: from nothing to a ready tray: the settings claimed and read, the
// desktop services and the four windows made, the application object's whole
// start-up (the scan among it) and the tray icons and menus in place. The
// QApplication is made once before; menus are filled later, while idle.
// Bare scan: the same directory walked into the sorted catalogue, alone.
// Run it in a plain environment (env -i PATH=/usr/bin:/bin LANG=C.UTF-8):
// a long PATH is searched for every program a desktop entry names.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <optional>

#include <benchmark/benchmark.h>

#include "app_tree.h"
#include "desktop_entry_files.h"
#include "desktop/linux/linux_app_kinds.h"
#include "desktop/linux/posix_file_manager.h"
#include "desktop/qt/desktop_session.h"
#include "fake/fake_desktop.h"

namespace wendaro {
namespace {

constexpr std::size_t kApps = 10'000;

// The watched directory of the kind of apps.
QString appsDirectory(std::int64_t kind) {
  if (kind == 0) {
    static const bench::AppTree apps(kApps);
    return apps.root();
  }
  static const QTemporaryDir entries;
  static const bool written = [] {
    QDir(entries.path()).mkpath("applications");
    bench::writeDesktopEntries((entries.path() + "/applications").toStdString(), kApps);
    return true;
  }();
  return written ? entries.path() + "/applications" : QString();
}

// The rescan alone: the first of a process (warm 0), which reads every
// desktop entry, or a later one (warm 1), which reads only those that
// changed (none here).
void BareScan(benchmark::State& state) {
  fake::FakeDesktop desktop;
  PosixFileManager files;
  std::optional<LinuxAppKinds> kinds(std::in_place, files);
  Platform withFiles = desktop.platformWithFiles(files, *kinds);
  AppDelegate app(withFiles);
  app.directories = {appsDirectory(state.range(0)).toStdString()};
  app.rescanApps();
  for (auto _ : state) {
    if (state.range(1) == 0) {
      state.PauseTiming();
      kinds.emplace(files);
      state.ResumeTiming();
    }
    app.rescanApps();
  }
  state.counters["apps"] = double(app.allApps.size());
}
BENCHMARK(BareScan)
    ->ArgNames({"kind", "warm"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

// Settings holding only the directory to watch, as a user's first start
// finds them.
QByteArray firstStartSettings(std::int64_t kind) {
  return ("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n<dict>\n"
          "<key>directories</key><array><string>" +
          appsDirectory(kind) + "</string></array>\n</dict>\n</plist>\n")
      .toUtf8();
}

// Makes a config home holding `settings` and points XDG_CONFIG_HOME at it.
std::unique_ptr<QTemporaryDir> configHoldings(const QByteArray& settings) {
  auto config = std::make_unique<QTemporaryDir>();
  QDir(config->path()).mkpath("wendaro");
  QFile store(config->filePath("wendaro/defaults.plist"));
  store.open(QIODevice::WriteOnly);
  store.write(settings);
  store.close();
  ::setenv("XDG_CONFIG_HOME", config->path().toLocal8Bit().constData(), 1);
  return config;
}

// Starts the program once; the settings file it leaves behind.
std::unique_ptr<DesktopSession> startUp(std::string& refusal) {
  std::unique_ptr<StoreLock> claim = DesktopSession::claimSettings(refusal);
  if (!claim) return nullptr;
  auto session = std::make_unique<DesktopSession>(
      std::move(claim), DesktopSession::Options{.showsTray = true, .executablePath = "/usr/bin/wendaro"});
  session->finishLaunching();
  QCoreApplication::processEvents();
  return session;
}

// Start-up with the settings a first start finds (laterStart 0), or those
// the previous start left behind, as on every later start (laterStart 1).
void StartUpToReadyTray(benchmark::State& state) {
  QByteArray settings = firstStartSettings(state.range(0));
  std::string refusal;
  if (state.range(1) == 1) {
    auto config = configHoldings(settings);
    startUp(refusal).reset();
    QFile left(config->filePath("wendaro/defaults.plist"));
    left.open(QIODevice::ReadOnly);
    settings = left.readAll();
  }
  std::size_t apps = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto config = configHoldings(settings);
    state.ResumeTiming();

    auto session = startUp(refusal);
    if (!session) {
      state.SkipWithError(refusal.c_str());
      break;
    }

    state.PauseTiming();
    apps = session->app().allApps.size();
    session.reset();
    QCoreApplication::processEvents();
    config.reset();
    state.ResumeTiming();
  }
  state.counters["apps"] = double(apps);
}
BENCHMARK(StartUpToReadyTray)
    ->ArgNames({"kind", "laterStart"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace
}  // namespace wendaro
