#include "desktop/x11/xcb_startup_notices.h"

#include <xcb/xinput.h>

#include <QCoreApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "desktop/x11/x11_session.h"

namespace wendaro::x11 {

namespace {

constexpr std::size_t kChunk = 20;  // bytes of a message in one client message

}  // namespace

XcbStartupNotices::XcbStartupNotices(xcb_connection_t* connection, int screen)
    : connection_(connection), screen_(screen) {
  xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int skipped = 0; roots.rem && skipped < screen_; ++skipped) xcb_screen_next(&roots);
  if (roots.rem) root_ = roots.data->root;
  const xcb_query_extension_reply_t* input = xcb_get_extension_data(connection_, &xcb_input_id);
  if (input && input->present) inputOpcode_ = input->major_opcode;
  QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbStartupNotices::~XcbStartupNotices() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

xcb_atom_t XcbStartupNotices::atom(xcb_atom_t& known, const char* name) {
  if (known != XCB_NONE) return known;
  auto* reply = xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  known = reply ? reply->atom : XCB_NONE;
  std::free(reply);
  return known;
}

std::optional<std::uint32_t> XcbStartupNotices::currentDesktop() {
  auto* reply = xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, root_, atom(currentDesktopAtom_, "_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL, 0, 1), nullptr);
  std::optional<std::uint32_t> desktop;
  if (reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4) {
    desktop = *static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
  }
  std::free(reply);
  return desktop;
}

void XcbStartupNotices::broadcast(const std::string& message) {
  if (root_ == XCB_NONE) return;
  // Receivers put the pieces together by the sending window, so each
  // message has a window of its own for as long as it is being sent.
  const xcb_window_t sender = xcb_generate_id(connection_);
  const std::uint32_t overrideRedirect = 1;
  xcb_create_window(connection_, XCB_COPY_FROM_PARENT, sender, root_, -100, -100, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT, &overrideRedirect);
  const xcb_atom_t begin = atom(beginAtom_, "_NET_STARTUP_INFO_BEGIN");
  const xcb_atom_t more = atom(moreAtom_, "_NET_STARTUP_INFO");
  // The terminating nul byte is part of the message.
  const std::size_t length = message.size() + 1;
  for (std::size_t offset = 0; offset < length; offset += kChunk) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 8;
    event.window = sender;
    event.type = offset == 0 ? begin : more;
    std::memcpy(event.data.data8, message.c_str() + offset, std::min(kChunk, length - offset));
    xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&event));
  }
  xcb_destroy_window(connection_, sender);
  xcb_flush(connection_);
}

bool XcbStartupNotices::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t type = event->response_type & ~0x80;
  // Qt takes the pointer, and touch, through the X Input extension.
  if (type == XCB_GE_GENERIC) {
    const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
    if (generic->extension != inputOpcode_) return false;
    switch (generic->event_type) {
      case XCB_INPUT_KEY_PRESS:
      case XCB_INPUT_KEY_RELEASE:
      case XCB_INPUT_BUTTON_PRESS:
      case XCB_INPUT_BUTTON_RELEASE:
        userTime_ = reinterpret_cast<const xcb_input_button_press_event_t*>(event)->time;
        break;
      case XCB_INPUT_TOUCH_END:
        userTime_ = reinterpret_cast<const xcb_input_touch_end_event_t*>(event)->time;
        break;
      default:
        break;
    }
    return false;
  }
  switch (type) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
      userTime_ = reinterpret_cast<const xcb_key_press_event_t*>(event)->time;
      break;
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
      userTime_ = reinterpret_cast<const xcb_button_press_event_t*>(event)->time;
      break;
    default:
      break;
  }
  return false;
}

std::unique_ptr<StartupNotices> makeStartupNotices() {
  xcb_connection_t* connection = x11SessionConnection();
  if (!connection) return nullptr;
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  if (!xcb_parse_display(nullptr, &host, &display, &screen)) screen = 0;
  std::free(host);
  return std::make_unique<XcbStartupNotices>(connection, screen);
}

}  // namespace wendaro::x11
