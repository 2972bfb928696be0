#include "desktop/x11/xcb_key_grabber.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "desktop/x11/qt_key_symbols.h"
#include "desktop/x11/shortcut_keys.h"

namespace wendaro::x11 {

namespace {

constexpr std::uint8_t kBadAccess = 10;
// The modifiers a combination is made of; the group bits and the mouse
// buttons in an event's state are not.
constexpr std::uint16_t kModifierBits = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL |
                                        XCB_MOD_MASK_1 | XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 |
                                        XCB_MOD_MASK_5;

struct FreeDeleter {
  void operator()(void* pointer) const { std::free(pointer); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

KeyboardMapping fetchKeyboardMapping(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  KeyboardMapping mapping;
  mapping.minKeycode = setup->min_keycode;
  const auto count = static_cast<std::uint8_t>(setup->max_keycode - setup->min_keycode + 1);
  Reply<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, setup->min_keycode, count), nullptr));
  if (!reply) return mapping;
  mapping.keysymsPerKeycode = reply->keysyms_per_keycode;
  const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(reply.get());
  mapping.keysyms.assign(keysyms, keysyms + xcb_get_keyboard_mapping_keysyms_length(reply.get()));
  return mapping;
}

ModifierMapping fetchModifierMapping(xcb_connection_t* connection) {
  ModifierMapping mapping;
  Reply<xcb_get_modifier_mapping_reply_t> reply(
      xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
  if (!reply) return mapping;
  mapping.keycodesPerModifier = reply->keycodes_per_modifier;
  const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(reply.get());
  mapping.keycodes.assign(keycodes, keycodes + xcb_get_modifier_mapping_keycodes_length(reply.get()));
  return mapping;
}

}  // namespace

XcbKeyGrabber::XcbKeyGrabber(xcb_connection_t* connection, Reporter reportUngrabbable)
    : connection_(connection), reportUngrabbable_(std::move(reportUngrabbable)) {
  for (auto screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)); screen.rem; xcb_screen_next(&screen)) {
    roots_.push_back(screen.data->root);
  }
  readMappings();
  QCoreApplication::instance()->installNativeEventFilter(this);
}

XcbKeyGrabber::~XcbKeyGrabber() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
  for (const auto& [combination, keys] : grabbed_) ungrabKeys(keys);
  xcb_flush(connection_);
}

GrabOutcome XcbKeyGrabber::grab(const Shortcut& combination) {
  ungrab(combination);
  const std::vector<KeyGrab> keys = keyGrabsFor(combination);
  if (keys.empty()) {
    if (reportedUntypable_.insert(combination).second && reportUngrabbable_) reportUngrabbable_(combination);
    return GrabOutcome::NotAvailable;
  }
  const GrabOutcome outcome = grabKeys(keys);
  if (outcome == GrabOutcome::Grabbed) grabbed_[combination] = keys;
  return outcome;
}

void XcbKeyGrabber::ungrab(const Shortcut& combination) {
  auto found = grabbed_.find(combination);
  if (found == grabbed_.end()) return;
  ungrabKeys(found->second);
  grabbed_.erase(found);
  xcb_flush(connection_);
}

std::vector<XcbKeyGrabber::KeyGrab> XcbKeyGrabber::keyGrabsFor(const Shortcut& combination) const {
  const std::optional<int> qtKey = qtKeyOf(combination);
  const std::optional<std::uint32_t> keysym = qtKey ? keysymForQtKey(*qtKey) : std::nullopt;
  if (!keysym) return {};
  std::uint16_t modifiers = 0;
  if (combination.modifierFlags & kShiftKeyMask) modifiers |= XCB_MOD_MASK_SHIFT;
  if (combination.modifierFlags & kControlKeyMask) modifiers |= XCB_MOD_MASK_CONTROL;
  if (combination.modifierFlags & kOptionKeyMask) modifiers |= masks_.alt;
  if (combination.modifierFlags & kCommandKeyMask) modifiers |= masks_.super;
  std::vector<KeyGrab> keys;
  for (const KeyPosition& position : positionsOf(keyboard_, *keysym)) {
    keys.push_back({position.keycode, static_cast<std::uint16_t>(modifiers | (position.shifted ? XCB_MOD_MASK_SHIFT : 0))});
  }
  return keys;
}

std::vector<std::uint16_t> XcbKeyGrabber::lockVariants() const {
  std::vector<std::uint16_t> variants{0, XCB_MOD_MASK_LOCK};
  if (masks_.numLock != 0) {
    variants.push_back(masks_.numLock);
    variants.push_back(static_cast<std::uint16_t>(masks_.numLock | XCB_MOD_MASK_LOCK));
  }
  return variants;
}

GrabOutcome XcbKeyGrabber::grabKeys(const std::vector<KeyGrab>& keys) {
  struct Request {
    xcb_window_t root;
    KeyGrab key;
    xcb_void_cookie_t cookie;
  };
  std::vector<Request> requests;
  for (xcb_window_t root : roots_) {
    for (const KeyGrab& key : keys) {
      for (std::uint16_t locks : lockVariants()) {
        const KeyGrab variant{key.keycode, static_cast<std::uint16_t>(key.modifiers | locks)};
        requests.push_back({root, variant,
                            xcb_grab_key_checked(connection_, 1, root, variant.modifiers, variant.keycode,
                                                 XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)});
      }
    }
  }
  GrabOutcome outcome = GrabOutcome::Grabbed;
  std::vector<const Request*> made;
  for (const Request& request : requests) {
    Reply<xcb_generic_error_t> error(xcb_request_check(connection_, request.cookie));
    if (!error) {
      made.push_back(&request);
    } else if (error->error_code == kBadAccess) {
      outcome = GrabOutcome::TakenByAnotherProgram;
    } else if (outcome == GrabOutcome::Grabbed) {
      outcome = GrabOutcome::NotAvailable;
    }
  }
  if (outcome != GrabOutcome::Grabbed) {
    // All or nothing: a combination that works only with some lock keys
    // would puzzle more than one that does not work at all.
    for (const Request* request : made) {
      xcb_ungrab_key(connection_, request->key.keycode, request->root, request->key.modifiers);
    }
    xcb_flush(connection_);
  }
  return outcome;
}

void XcbKeyGrabber::ungrabKeys(const std::vector<KeyGrab>& keys) {
  for (xcb_window_t root : roots_) {
    for (const KeyGrab& key : keys) {
      for (std::uint16_t locks : lockVariants()) {
        xcb_ungrab_key(connection_, key.keycode, root, static_cast<std::uint16_t>(key.modifiers | locks));
      }
    }
  }
}

void XcbKeyGrabber::readMappings() {
  keyboard_ = fetchKeyboardMapping(connection_);
  masks_ = modifierMasksOf(fetchModifierMapping(connection_), keyboard_);
}

void XcbKeyGrabber::grabAllAgain() {
  // The lock variants depend on the old masks: let go before reading anew.
  for (const auto& [combination, keys] : grabbed_) ungrabKeys(keys);
  readMappings();
  for (auto& [combination, keys] : grabbed_) {
    keys = keyGrabsFor(combination);
    // A combination that another client took meanwhile, or that the new
    // layout cannot type, stays silent until the binder grabs it again.
    if (keys.empty() || grabKeys(keys) != GrabOutcome::Grabbed) keys.clear();
  }
  xcb_flush(connection_);
}

bool XcbKeyGrabber::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & 0x7f) {
    case XCB_KEY_PRESS:
      return keyPressed(*reinterpret_cast<const xcb_key_press_event_t*>(event));
    case XCB_KEY_RELEASE: {
      const auto& release = *reinterpret_cast<const xcb_key_release_event_t*>(event);
      keyReleased(release);
      return isRoot(release.event);
    }
    case XCB_MAPPING_NOTIFY: {
      const auto& notify = *reinterpret_cast<const xcb_mapping_notify_event_t*>(event);
      if (notify.request == XCB_MAPPING_KEYBOARD || notify.request == XCB_MAPPING_MODIFIER) grabAllAgain();
      return false;  // Qt follows the mapping too
    }
    default:
      return false;
  }
}

bool XcbKeyGrabber::keyPressed(const xcb_key_press_event_t& event) {
  // A grabbed combination reaches one of our own windows only while we hold
  // the keyboard ourselves (an open menu); it is a press all the same.
  const Shortcut* combination = combinationPressed(event);
  if (!combination) return false;
  // The server repeats a held key as a release and a press with the same
  // time stamp. (Whether a key is still held cannot be told from here: its
  // release goes to whichever window has the focus once our grab ends.)
  auto released = lastRelease_.find(event.detail);
  const bool repeat = released != lastRelease_.end() && released->second == event.time;
  if (!repeat) {
    QMetaObject::invokeMethod(
        &deliveries_,
        [this, pressed = *combination] {
          if (pressHandler_) pressHandler_(pressed);
        },
        Qt::QueuedConnection);
  }
  return true;
}

void XcbKeyGrabber::keyReleased(const xcb_key_release_event_t& event) { lastRelease_[event.detail] = event.time; }

const Shortcut* XcbKeyGrabber::combinationPressed(const xcb_key_press_event_t& event) const {
  const std::uint16_t locks = static_cast<std::uint16_t>(XCB_MOD_MASK_LOCK | masks_.numLock);
  const std::uint16_t modifiers = event.state & kModifierBits & ~locks;
  for (const auto& [combination, keys] : grabbed_) {
    for (const KeyGrab& key : keys) {
      if (key.keycode == event.detail && key.modifiers == modifiers) return &combination;
    }
  }
  return nullptr;
}

bool XcbKeyGrabber::isRoot(xcb_window_t window) const {
  return std::find(roots_.begin(), roots_.end(), window) != roots_.end();
}

}  // namespace wendaro::x11
