#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <filesystem>
#include <functional>

#include "desktop/qt/qt_directory_watcher.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using namespace std::chrono_literals;
using testing::writeFile;

// Each change that may add, alter or remove an app is told once, a burst of
// them too, also in a watched directory made later; reading an entry is not.
// After it is told, the test waits as long again as the longest burst.
TEST(DirectoryWatcher, TellsEveryChangeOfAnAppOnceAndNothingElse) {
  testing::TemporaryDirectory root;
  const std::string apps = root / "apps";
  std::filesystem::create_directories(apps);
  QtDirectoryWatcher watcher{true, 50ms, 200ms};
  int changes = 0;
  watcher.watchDirectories({apps, root / "later/apps"}, [&] { ++changes; });
  const std::pair<std::function<void()>, int> cases[] = {
      {[&] { writeFile(apps + "/a.desktop", "[Desktop Entry]\n"); }, 1},
      {[&] { testing::readFile(apps + "/a.desktop"); }, 0},
      {[&] { std::filesystem::rename(apps + "/a.desktop", apps + "/b.desktop"); }, 1},
      {[&] { std::filesystem::create_directory(root / "later"); }, 1},
      {[&] {
         for (int i = 0; i < 50; ++i) writeFile(apps + "/" + std::to_string(i) + ".desktop", "");
       },
       1},
  };
  for (int step = 1; const auto& [change, told] : cases) {
    const int before = changes;
    change();
    QElapsedTimer clock;
    clock.start();
    while (changes == before && clock.elapsed() < (told ? 2000 : 200)) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    clock.restart();
    while (clock.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(changes - before, told) << "change " << step++;
  }
}

}  // namespace
}  // namespace wendaro
