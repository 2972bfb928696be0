// Watching directories for apps that come, change and go, on real files.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "desktop/qt/qt_directory_watcher.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using namespace std::chrono_literals;
using testing::writeFile;

class DirectoryWatcherTest : public ::testing::Test {
 protected:
  DirectoryWatcherTest() {
    std::filesystem::create_directories(apps);
    writeFile(apps + "/old.desktop", "[Desktop Entry]\n");
    watcher.watchDirectories({apps, root / "later/apps"}, [this] { ++changes; });
  }

  // Runs the event loop until `changes` moves past `before`, for at most
  // `limit`; then as long again as the longest burst, to see nothing more.
  int changesAfter(int before, std::chrono::milliseconds limit = 2000ms) {
    QElapsedTimer clock;
    clock.start();
    while (changes == before && clock.elapsed() < limit.count()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    clock.restart();
    while (clock.elapsed() < 2 * kLongest.count()) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return changes - before;
  }

  static constexpr auto kLongest = 200ms;
  testing::TemporaryDirectory root;
  const std::string apps = root / "apps";
  QtDirectoryWatcher watcher{true, 50ms, kLongest};
  int changes = 0;
};

// Each change that may add, alter or remove an app is told once; what
// cannot is not told at all.
TEST_F(DirectoryWatcherTest, TellsEveryChangeOfAnAppOnceAndNothingElse) {
  struct Case {
    const char* change;
    std::function<void(const std::string& apps, const std::string& root)> make;
    int told;
  };
  const Case cases[] = {
      {"an entry added", [](auto& a, auto&) { writeFile(a + "/new.desktop", "[Desktop Entry]\n"); }, 1},
      {"an entry written", [](auto& a, auto&) { writeFile(a + "/old.desktop", "[Desktop Entry]\nName=X\n"); }, 1},
      {"an entry made executable", [](auto& a, auto&) { ::chmod((a + "/old.desktop").c_str(), 0755); }, 1},
      {"an entry renamed",
       [](auto& a, auto&) { std::filesystem::rename(a + "/old.desktop", a + "/renamed.desktop"); }, 1},
      {"an entry removed", [](auto& a, auto&) { std::filesystem::remove(a + "/renamed.desktop"); }, 1},
      {"a folder added", [](auto& a, auto&) { std::filesystem::create_directory(a + "/kde"); }, 1},
      {"an entry read", [](auto& a, auto&) { testing::readFile(a + "/new.desktop"); }, 0},
      {"a file beside a missing watched directory",
       [](auto&, auto& r) { writeFile(r + "/unrelated", "x"); }, 0},
      {"the missing watched directory's parent made",
       [](auto&, auto& r) { std::filesystem::create_directory(r + "/later"); }, 1},
      {"a burst of entries added",
       [](auto& a, auto&) {
         for (int i = 0; i < 50; ++i) writeFile(a + "/burst" + std::to_string(i) + ".desktop", "[Desktop Entry]\n");
       },
       1},
  };
  for (const Case& c : cases) {
    const int before = changes;
    c.make(apps, root.path());
    EXPECT_EQ(changesAfter(before, c.told > 0 ? 2000ms : kLongest), c.told) << c.change;
  }
}

TEST_F(DirectoryWatcherTest, WatchingAnewReplacesWhatWasWatched) {
  const std::string other = root / "other";
  std::filesystem::create_directory(other);
  watcher.watchDirectories({other}, [this] { ++changes; });
  writeFile(apps + "/new.desktop", "[Desktop Entry]\n");
  EXPECT_EQ(changesAfter(changes, kLongest), 0);
  writeFile(other + "/new.desktop", "[Desktop Entry]\n");
  EXPECT_EQ(changesAfter(changes), 1);
}

}  // namespace
}  // namespace wendaro
