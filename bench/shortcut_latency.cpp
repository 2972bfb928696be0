// Press-to-action latency of a global shortcut on a real X server: the time
// from handing the X server a key press (through the XTEST extension, as a
// keyboard would) to the bound action running in this process. Run it under
// tests/desktop/with_xvfb.sh from the release build.
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
#include <string>
#include <vector>

#include "desktop/x11/global_shortcuts.h"
#include "desktop/x11/keyboard_layout.h"

namespace {

using Clock = std::chrono::steady_clock;

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

double percentile(std::vector<double> sorted, double p) {
  return sorted[static_cast<std::size_t>(p * (sorted.size() - 1) + 0.5)];
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QGuiApplication application(argc, argv);
  const int presses = argc > 1 ? std::atoi(argv[1]) : 500;

  std::string directory = (std::filesystem::temp_directory_path() / "wendaro-latency-XXXXXX").string();
  if (!::mkdtemp(directory.data())) return 1;
  wendaro::PlistDefaultsStore store(directory + "/defaults.plist");
  store.setObject("ash1", wendaro::Value("Ctrl+Alt+K"));
  wendaro::GlobalShortcuts shortcuts(store);
  Clock::time_point ran;
  bool done = false;
  shortcuts.binder().bindShortcutWithDefaultsKey("ash1", [&] {
    ran = Clock::now();
    done = true;
  });

  Typist typist;
  const std::uint8_t control = keycodeOf(typist.connection(), 0xffe3);
  const std::uint8_t alt = keycodeOf(typist.connection(), 0xffe9);
  const std::uint8_t k = keycodeOf(typist.connection(), 'k');
  constexpr std::uint8_t kPress = XCB_KEY_PRESS, kRelease = XCB_KEY_RELEASE;

  std::vector<double> microseconds;
  for (int i = 0; i < presses; ++i) {
    typist.fake(kPress, control);
    typist.fake(kPress, alt);
    done = false;
    const Clock::time_point sent = Clock::now();
    typist.fake(kPress, k);
    typist.flush();
    const Clock::time_point deadline = sent + std::chrono::seconds(5);
    while (!done && Clock::now() < deadline) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    if (!done) {
      std::fprintf(stderr, "shortcut_latency: press %d never arrived\n", i);
      return 1;
    }
    microseconds.push_back(std::chrono::duration<double, std::micro>(ran - sent).count());
    for (std::uint8_t key : {k, alt, control}) typist.fake(kRelease, key);
    typist.flush();
    // A release and a press with the same server time stamp look like the
    // keyboard's own repeat: let the clock move on, as any typist does (xdotool waits 12 ms between keys).
    QThread::msleep(15);
    QCoreApplication::processEvents();
  }
  std::filesystem::remove_all(directory);
  std::sort(microseconds.begin(), microseconds.end());
  std::printf("press-to-action over %d presses: median %.0f us, p90 %.0f us, p99 %.0f us, max %.0f us\n", presses,
              percentile(microseconds, 0.5), percentile(microseconds, 0.9), percentile(microseconds, 0.99),
              microseconds.back());
  return 0;
}
