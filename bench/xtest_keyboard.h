#pragma once
// Typing on a real X server as a keyboard would, through the XTEST extension,
// and summing up latencies: shared by the latency benchmarks.
#include <xcb/xcb.h>
#include <xcb/xcbext.h>
#include <sys/uio.h>

#include <QThread>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "desktop/x11/keyboard_layout.h"

namespace bench {

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

inline std::uint8_t keycodeOf(xcb_connection_t* connection, std::uint32_t keysym) {
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

inline double percentile(const std::vector<double>& sorted, double p) {
  return sorted[static_cast<std::size_t>(p * (sorted.size() - 1) + 0.5)];
}

inline void printSummary(const char* what, std::vector<double> microseconds) {
  std::sort(microseconds.begin(), microseconds.end());
  std::printf("%s over %zu runs: median %.0f us, p90 %.0f us, p99 %.0f us, max %.0f us\n", what,
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

}  // namespace bench
