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
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <sys/uio.h>
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
#include "desktop/x11/keyboard_layout.h"

namespace {


// A second client that types through XTEST's FakeInput request, sent raw so
// that no extension library is needed.
class Typist {
 public:
  Typist() : connection_(xcb_connect(nullptr, nullptr)) {
    xcb_query_extension_reply_t* extension = xcb_query_extension_reply(
        connection_, xcb_query_extension(connection_, 5, "XTEST"), nullptr);
    if (!extension || !extension->present) {
      std::fprintf(stderr, "shortcut_latency: the X server has no XTEST\n");
      std::exit(1);
    }
    opcode_ = extension->major_opcode;
    std::free(extension);
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  }
  ~Typist() { xcb_disconnect(connection_); }

  void fake(std::uint8_t type, std::uint8_t keycode) {
    std::uint8_t request[36] = {};
    request[1] = 2;  // FakeInput
    request[4] = type;
    request[5] = keycode;
    std::memcpy(&request[12], &root_, sizeof root_);
    iovec parts[3];
    parts[2] = {request, sizeof request};
    xcb_protocol_request_t header{1, nullptr, opcode_, 1};
    xcb_send_request(connection_, 0, parts + 2, &header);
  }
  void flush() { xcb_flush(connection_); }
  xcb_connection_t* connection() { return connection_; }

 private:
  xcb_connection_t* connection_;
  std::uint8_t opcode_ = 0;
  xcb_window_t root_ = 0;
};

std::uint8_t keycodeOf(xcb_connection_t* connection, std::uint32_t keysym) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  auto* reply = xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, setup->max_keycode - setup->min_keycode + 1),
      nullptr);
  const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply);
  wendaro::x11::KeyboardMapping mapping{setup->min_keycode, reply->keysyms_per_keycode,
                                        {keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply)}};
  std::free(reply);
  return wendaro::x11::positionsOf(mapping, keysym).at(0).keycode;
}

double percentile(const std::vector<double>& sorted, double p) {
  return sorted[static_cast<std::size_t>(p * (sorted.size() - 1) + 0.5)];
}

void printSummary(const char* what, std::vector<double> microseconds) {
  std::sort(microseconds.begin(), microseconds.end());
  std::printf("%s over %zu presses: median %.0f us, p90 %.0f us, p99 %.0f us, max %.0f us\n", what,
              microseconds.size(), percentile(microseconds, 0.5), percentile(microseconds, 0.9),
              percentile(microseconds, 0.99), microseconds.back());
}

// Presses Ctrl+Alt+LETTER through XTEST and lets go again.
class ShortcutTypist {
 public:
  explicit ShortcutTypist(char letter)
      : control_(keycodeOf(typist_.connection(), 0xffe3)),
        alt_(keycodeOf(typist_.connection(), 0xffe9)),
        letter_(keycodeOf(typist_.connection(), static_cast<std::uint32_t>(letter))) {}

  // Returns the moment the press went to the server, on the clock given.
  template <typename Clock>
  typename Clock::time_point press() {
    typist_.fake(XCB_KEY_PRESS, control_);
    typist_.fake(XCB_KEY_PRESS, alt_);
    const auto sent = Clock::now();
    typist_.fake(XCB_KEY_PRESS, letter_);
    typist_.flush();
    return sent;
  }
  void release() {
    for (std::uint8_t key : {letter_, alt_, control_}) typist_.fake(XCB_KEY_RELEASE, key);
    typist_.flush();
    // A release and a press with the same server time stamp look like the
    // keyboard's own repeat: let the clock move on, as any typist does
    // (xdotool waits 12 ms between keys).
    QThread::msleep(15);
  }

 private:
  Typist typist_;
  std::uint8_t control_, alt_, letter_;
};

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
