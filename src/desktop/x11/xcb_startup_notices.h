#pragma once

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <memory>

#include "desktop/linux/startup_notices.h"

namespace wendaro::x11 {

// Launch feedback on an X server, through Qt's own connection to it: the
// messages go to the root window as _NET_STARTUP_INFO_BEGIN and
// _NET_STARTUP_INFO client messages of 20 bytes each, and the user time is
// taken from the key, button and touch events Qt receives. Needs a
// QCoreApplication; everything runs on the main thread.
class XcbStartupNotices : public StartupNotices, private QAbstractNativeEventFilter {
 public:
  XcbStartupNotices(xcb_connection_t* connection, int screen);
  ~XcbStartupNotices() override;
  XcbStartupNotices(const XcbStartupNotices&) = delete;
  XcbStartupNotices& operator=(const XcbStartupNotices&) = delete;

  std::uint32_t lastUserTime() const override { return userTime_; }
  int screen() const override { return screen_; }
  std::optional<std::uint32_t> currentDesktop() override;
  void broadcast(const std::string& message) override;

 private:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  // Interned at the first launch that needs it, then kept.
  xcb_atom_t atom(xcb_atom_t& known, const char* name);

  xcb_connection_t* connection_;
  int screen_;
  xcb_window_t root_ = XCB_NONE;
  std::uint8_t inputOpcode_ = 0;  // of the X Input extension, 0 without it
  std::uint32_t userTime_ = 0;
  xcb_atom_t beginAtom_ = XCB_NONE;
  xcb_atom_t moreAtom_ = XCB_NONE;
  xcb_atom_t currentDesktopAtom_ = XCB_NONE;
};

// Launch feedback where the Qt application runs on an X server in an X
// session; nothing on Wayland, where the activation token does this, nor
// on the offscreen platform. Needs a QGuiApplication.
std::unique_ptr<StartupNotices> makeStartupNotices();

}  // namespace wendaro::x11
