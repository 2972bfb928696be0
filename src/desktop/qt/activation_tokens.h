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
  ActivationTokens();

  // Replaces any earlier token, also with none.
  void offer(const QString& token);
  // The token for the app being started now, or an empty string; the token
  // is gone after that.
  QString take();
  // A request that started nothing leaves no token behind.
  void discard();

 private:
  // Takes the tray host's token out of the environment, where Qt's
  // StatusNotifierItem leaves it; the environment is written only when one
  // is there, as other threads read it.
  QString trayHostToken();

  QString pending_;
  const QString ownToken_;
};

}  // namespace wendaro
