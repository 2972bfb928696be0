#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

class QWidget;

namespace wendaro {

// Without a system tray nobody would see the program. While the desktop has
// none, a small window says so and how to add one to the panel; as soon as a
// tray appears the window goes and `trayAppeared` runs.
class TrayNotice : public QObject {
 public:
  // Whether the desktop has a tray now.
  using Availability = std::function<bool()>;
  explicit TrayNotice(std::function<void()> trayAppeared, Availability available = {});
  ~TrayNotice() override;

  // Looks now, and again every second while there is no tray.
  void watch();
  // One look.
  void check();
  QWidget& window() { return *window_; }

 private:
  std::function<void()> trayAppeared_;
  Availability available_;
  std::unique_ptr<QWidget> window_;
  QTimer timer_;
  bool shown_ = false;
};

}  // namespace wendaro
