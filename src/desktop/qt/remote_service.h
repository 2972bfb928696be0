#pragma once

#include <QDBusContext>
#include <QObject>
#include <QVariantMap>

#include <string>

#include "launch/remote_requests.h"

namespace wendaro {

class ActivationTokens;
class AppDelegate;
class QtStatusBar;

// The running tray program on the session bus (remote/remote_interface.h):
// it owns the program's name there, which also keeps a second copy in the
// same desktop session from starting, and answers other programs' requests
// on the main thread. Needs a QCoreApplication.
class RemoteService : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.wendaro.Wendaro")

 public:
  enum class Claim {
    Owned,
    // No session bus: the program runs, unreachable by other programs.
    NoBus,
    // Another program owns the name: a copy runs in this desktop session.
    Taken,
  };

  RemoteService();
  ~RemoteService() override;

  // Puts the object on the bus and then claims the name, so that a request
  // finds the object as soon as the name is ours. Requests wait until
  // serve() has been called.
  Claim claim();
  // One line for a second copy that found the name taken.
  static std::string takenMessage();

  struct Program {
    AppDelegate& app;
    QtStatusBar& statusBar;
    ActivationTokens& activationTokens;
  };
  // From now on requests act in the program, which must outlive this.
  void serve(const Program& program);

 public slots:
  Q_SCRIPTABLE void OpenMenu(const QVariantMap& options);
  Q_SCRIPTABLE void LaunchApp(const QString& appPath, const QVariantMap& options);
  Q_SCRIPTABLE void LaunchCategory(const QString& name, const QVariantMap& options);
  Q_SCRIPTABLE void ShowWindow(const QString& title, const QVariantMap& options);

 private:
  // The program being served: requests arrive from the event loop, which runs
  // only after serve().
  const Program* program();
  // Hands the caller's token to what the request starts, and drops what is
  // left of it afterwards.
  void launch(const QVariantMap& options, RequestResult (*request)(AppDelegate&, const std::string&),
              const QString& target);
  void answer(const RequestResult& result, const QString& target);

  bool registered_ = false;
  bool owned_ = false;
  std::optional<Program> program_;
};

}  // namespace wendaro
