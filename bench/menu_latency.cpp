// Latency of the running program's main menu on a real X server, from
//
//   menu_latency --keys LETTER [N]
//     a press of Ctrl+Alt+LETTER, the program's main-menu shortcut, typed
//     through XTEST as a keyboard would;
//   menu_latency --command WENDARO [N]
//     the start of `WENDARO --open-menu`, as a desktop runs it for a key;
//
// to the menu's window mapping on the screen. Escape closes the menu after
// each. Run it with the program running on the same X server (see
// bench/remote_latency.sh).
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "xtest_keyboard.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Watches the screen for windows of the kind menus are (override-redirect)
// being mapped and unmapped.
class MenuWatcher {
 public:
  MenuWatcher() : connection_(xcb_connect(nullptr, nullptr)) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
  }
  ~MenuWatcher() { xcb_disconnect(connection_); }

  // The moment a menu was mapped (or unmapped), or nothing within 5 s.
  std::optional<Clock::time_point> next(bool mapped) {
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < deadline) {
      while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        const auto seen = Clock::now();
        const std::uint8_t type = event->response_type & 0x7f;
        const bool isMenu =
            type == XCB_MAP_NOTIFY && reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
        std::free(event);
        if (mapped ? isMenu : type == XCB_UNMAP_NOTIFY) return seen;
      }
      pollfd descriptor{xcb_get_file_descriptor(connection_), POLLIN, 0};
      ::poll(&descriptor, 1, 50);
    }
    return std::nullopt;
  }

 private:
  xcb_connection_t* connection_;
};

pid_t spawn(const std::string& program, const char* argument) {
  std::vector<char*> arguments{const_cast<char*>(program.c_str()), const_cast<char*>(argument), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, program.c_str(), nullptr, nullptr, arguments.data(), environ) != 0) return -1;
  return child;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "--keys") != 0 && std::strcmp(argv[1], "--command") != 0)) {
    std::fprintf(stderr, "usage: menu_latency --keys LETTER [N] | --command WENDARO [N]\n");
    return 2;
  }
  const bool byKeys = std::strcmp(argv[1], "--keys") == 0;
  const int runs = argc > 3 ? std::atoi(argv[3]) : 200;
  MenuWatcher watcher;
  bench::ShortcutTypist shortcut(byKeys ? argv[2][0] : 'm');
  bench::Typist escape;
  const std::uint8_t escapeKey = bench::keycodeOf(escape.connection(), 0xff1b);
  std::vector<double> microseconds;
  for (int i = 0; i < runs; ++i) {
    pid_t child = -1;
    Clock::time_point start;
    if (byKeys) {
      start = shortcut.press<Clock>();
    } else {
      start = Clock::now();
      child = spawn(argv[2], "--open-menu");
    }
    const auto shown = watcher.next(true);
    if (byKeys) shortcut.release();
    if (child > 0) ::waitpid(child, nullptr, 0);
    if (!shown) {
      std::fprintf(stderr, "menu_latency: run %d showed no menu\n", i);
      return 1;
    }
    microseconds.push_back(std::chrono::duration<double, std::micro>(*shown - start).count());
    escape.fake(XCB_KEY_PRESS, escapeKey);
    escape.fake(XCB_KEY_RELEASE, escapeKey);
    escape.flush();
    if (!watcher.next(false)) {
      std::fprintf(stderr, "menu_latency: run %d left the menu open\n", i);
      return 1;
    }
    QThread::msleep(30);
  }
  bench::printSummary(byKeys ? "shortcut-to-menu" : "open-menu-to-menu", microseconds);
  return 0;
}
