#pragma once

#include <QString>

namespace wendaro {

// The activation token for the next app the program starts, which lets that
// app take the focus on desktops that ask for one (Wayland). A token comes
// from the tray host, handed over when the user clicks the tray icon, or
// from a program that asks this one to launch something; each goes to one
// app only, the next one started, and a newer token replaces an older one.
// The token this program itself was started with is for it alone.
class ActivationTokens {
 public:
  // Forgets the token this process was started with, so that no app
  // started later takes it for its own.
  ActivationTokens();

  void offer(const QString& token);
  // The token for the app being started now, or an empty string; the token
  // is gone after that.
  QString take();
  // A request that started nothing leaves no token behind.
  void discard();
};

}  // namespace wendaro
