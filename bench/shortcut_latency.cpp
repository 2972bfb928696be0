// Latency of a global shortcut on a real X server, from handing the X server
// a key press (through the XTEST extension, as a keyboard would) to:
//
//   shortcut_latency [N]
//     the bound action running, in a binder inside this process;
//   shortcut_latency --program LETTER STAMP_FILE [N]
//     an app launched by the running program: the program has Ctrl+Alt+LETTER
//     bound to an app that appends `date +%s%N` to STAMP_FILE.
//
// Run the first under tests/desktop/with_xvfb.sh from the release build.
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "desktop/qt/global_shortcuts.h"
#include "xtest_keyboard.h"

namespace {

using bench::printSummary;
using bench::ShortcutTypist;

int pressToAction(int presses) {
  std::string directory = (std::filesystem::temp_directory_path() / "wendaro-latency-XXXXXX").string();
  if (!::mkdtemp(directory.data())) return 1;
  std::vector<double> microseconds;
  {
    wendaro::PlistDefaultsStore store(directory + "/defaults.plist");
    store.setObject("ash1", wendaro::Value("Ctrl+Alt+K"));
    wendaro::GlobalShortcuts shortcuts(store, wendaro::GlobalShortcuts::Keyboard::Watch);
    std::chrono::steady_clock::time_point ran;
    bool done = false;
    shortcuts.binder().bindShortcutWithDefaultsKey("ash1", [&] {
      ran = std::chrono::steady_clock::now();
      done = true;
    });
    ShortcutTypist typist('k');
    for (int i = 0; i < presses; ++i) {
      done = false;
      const auto sent = typist.press<std::chrono::steady_clock>();
      const auto deadline = sent + std::chrono::seconds(5);
      while (!done && std::chrono::steady_clock::now() < deadline) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
      }
      if (!done) {
        std::fprintf(stderr, "shortcut_latency: press %d never arrived\n", i);
        return 1;
      }
      microseconds.push_back(std::chrono::duration<double, std::micro>(ran - sent).count());
      typist.release();
      QCoreApplication::processEvents();
    }
  }
  std::filesystem::remove_all(directory);
  printSummary("press-to-action", microseconds);
  return 0;
}

// The stamps (nanoseconds since the epoch) in the file, one a line.
std::vector<long long> stampsIn(const std::string& path) {
  std::vector<long long> stamps;
  std::ifstream in(path);
  for (long long stamp; in >> stamp;) stamps.push_back(stamp);
  return stamps;
}

int pressToLaunch(char letter, const std::string& stampFile, int presses) {
  ShortcutTypist typist(letter);
  std::vector<double> microseconds;
  for (int i = 0; i < presses; ++i) {
    const std::size_t before = stampsIn(stampFile).size();
    const auto sent = typist.press<std::chrono::system_clock>();
    std::vector<long long> stamps;
    const auto deadline = sent + std::chrono::seconds(5);
    while ((stamps = stampsIn(stampFile)).size() == before && std::chrono::system_clock::now() < deadline) {
      QThread::usleep(200);
    }
    typist.release();
    if (stamps.size() == before) {
      std::fprintf(stderr, "shortcut_latency: press %d launched nothing\n", i);
      return 1;
    }
    const auto launched = std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::nanoseconds(stamps.back())));
    microseconds.push_back(std::chrono::duration<double, std::micro>(launched - sent).count());
  }
  printSummary("press-to-launch", microseconds);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  if (argc >= 4 && std::strcmp(argv[1], "--program") == 0) {
    return pressToLaunch(argv[2][0], argv[3], argc > 4 ? std::atoi(argv[4]) : 100);
  }
  return pressToAction(argc > 1 ? std::atoi(argv[1]) : 500);
}
