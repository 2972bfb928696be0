#pragma once

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include "desktop/shortcuts/key_grabber.h"
#include "desktop/shortcuts/shortcut_order.h"
#include "desktop/x11/keyboard_layout.h"

namespace wendaro::x11 {

// Grabs key combinations on the root windows of an X server through Qt's
// own connection to it, and hears their presses through Qt's event stream.
//
// Each combination is grabbed as it is and with NumLock, CapsLock and both,
// so that it works whatever the lock keys. The grabs are checked: a
// combination that another client holds fails with BadAccess, and then none
// of its variants stays grabbed. Presses that the keyboard repeats while the
// key is held are not passed on. After the server's keyboard mapping
// changes, every grab is made again for the keys that now type it.
//
// Needs a QCoreApplication; everything runs on the main thread.
class XcbKeyGrabber : public KeyGrabber, private QAbstractNativeEventFilter {
 public:
  using Reporter = std::function<void(const Shortcut&)>;

  // `reportUngrabbable` hears, once each, of the combinations that no key of
  // this keyboard types or whose key has no X keysym.
  XcbKeyGrabber(xcb_connection_t* connection, Reporter reportUngrabbable);
  ~XcbKeyGrabber() override;
  XcbKeyGrabber(const XcbKeyGrabber&) = delete;
  XcbKeyGrabber& operator=(const XcbKeyGrabber&) = delete;

  GrabOutcome grab(const Shortcut& combination) override;
  void ungrab(const Shortcut& combination) override;
  void setPressHandler(PressHandler handler) override { pressHandler_ = std::move(handler); }

 private:
  // One key with its modifiers, lock modifiers left out.
  struct KeyGrab {
    std::uint8_t keycode = 0;
    std::uint16_t modifiers = 0;
  };

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  bool keyPressed(const xcb_key_press_event_t& event);
  void keyReleased(const xcb_key_release_event_t& event);
  void readMappings();
  void grabAllAgain();
  // The keys to grab for the combination; empty when it cannot be typed here.
  std::vector<KeyGrab> keyGrabsFor(const Shortcut& combination) const;
  std::vector<std::uint16_t> lockVariants() const;
  GrabOutcome grabKeys(const std::vector<KeyGrab>& keys);
  void ungrabKeys(const std::vector<KeyGrab>& keys);
  const Shortcut* combinationPressed(const xcb_key_press_event_t& event) const;
  bool isRoot(xcb_window_t window) const;

  xcb_connection_t* connection_;
  Reporter reportUngrabbable_;
  std::vector<xcb_window_t> roots_;
  KeyboardMapping keyboard_;
  ModifierMasks masks_;
  std::map<Shortcut, std::vector<KeyGrab>, ShortcutOrder> grabbed_;
  std::set<Shortcut, ShortcutOrder> reportedUntypable_;
  std::map<std::uint8_t, xcb_timestamp_t> lastRelease_;
  PressHandler pressHandler_;
  // Queued presses are delivered through this object, so none arrives after
  // the grabber is gone.
  QObject deliveries_;
};

}  // namespace wendaro::x11
