#include "desktop/qt/remote_service.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QMenu>

#include "app/app_delegate.h"
#include "desktop/qt/activation_tokens.h"
#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_status_bar.h"
#include "remote/remote_interface.h"

namespace wendaro {

namespace {

const QString kBusName = QString::fromLatin1(remote::kBusName);
const QString kObjectPath = QString::fromLatin1(remote::kObjectPath);

}  // namespace

RemoteService::RemoteService() = default;

RemoteService::~RemoteService() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (owned_) bus.unregisterService(kBusName);
  if (registered_) bus.unregisterObject(kObjectPath);
}

RemoteService::Claim RemoteService::claim() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || !bus.interface()) return Claim::NoBus;
  registered_ = bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
  const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply = bus.interface()->registerService(
      kBusName, QDBusConnectionInterface::DontQueueService, QDBusConnectionInterface::DontAllowReplacement);
  owned_ = reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered;
  return owned_ ? Claim::Owned : Claim::Taken;
}

std::string RemoteService::takenMessage() {
  return std::string("wendaro: another copy of wendaro is already running in this desktop session (it owns ") +
         remote::kBusName + " on the session bus); this one exits";
}

void RemoteService::serve(const Program& program) { program_.emplace(program); }

const RemoteService::Program* RemoteService::program() { return &*program_; }

void RemoteService::OpenMenu(const QVariantMap& options) {
  const Program* running = program();
  // The token goes to the app chosen from the menu, or nowhere: a choice
  // launches right after the menu hides, so the token is dropped after that.
  ActivationTokens& tokens = running->activationTokens;
  tokens.offer(options.value(QLatin1String(remote::kActivationTokenOption)).toString());
  running->statusBar.setPlacingMenusAtPointer(true);
  openMainMenu(running->app);
  running->statusBar.setPlacingMenusAtPointer(false);
  QMenu* menu = running->statusBar.renderer().menuFor(*running->app.menubarMenu);
  if (!menu->isVisible()) {
    tokens.discard();
    return;
  }
  connect(
      menu, &QMenu::aboutToHide, this, [&tokens] { tokens.discard(); },
      static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
}

void RemoteService::LaunchApp(const QString& appPath, const QVariantMap& options) {
  launch(options, launchKnownApp, appPath);
}

void RemoteService::LaunchCategory(const QString& name, const QVariantMap& options) {
  launch(options, launchKnownCategory, name);
}

void RemoteService::ShowWindow(const QString& title, const QVariantMap&) {
  const Program* running = program();
  answer({showManagementWindow(running->app, title.toStdString()), {}}, title);
}

void RemoteService::launch(const QVariantMap& options, RequestResult (*request)(AppDelegate&, const std::string&),
                           const QString& target) {
  const Program* running = program();
  running->activationTokens.offer(options.value(QLatin1String(remote::kActivationTokenOption)).toString());
  const RequestResult result = request(running->app, target.toStdString());
  running->activationTokens.discard();
  answer(result, target);
}

void RemoteService::answer(const RequestResult& result, const QString& target) {
  switch (result.outcome) {
    case RequestOutcome::Done: return;
    case RequestOutcome::UnknownApp:
      sendErrorReply(QString::fromLatin1(remote::kUnknownAppError),
                     QStringLiteral("wendaro knows no app at %1 (its apps are those of All Apps, the favourites, "
                                    "the pinned apps and the categories)")
                         .arg(target));
      return;
    case RequestOutcome::UnknownCategory:
      sendErrorReply(QString::fromLatin1(remote::kUnknownCategoryError),
                     QStringLiteral("wendaro has no category named \"%1\"").arg(target));
      return;
    case RequestOutcome::UnknownWindow:
      sendErrorReply(QString::fromLatin1(remote::kUnknownWindowError),
                     QStringLiteral("wendaro has no window called \"%1\" (it has Favorites, Menu Bar, Categories "
                                    "and Directories)")
                         .arg(target));
      return;
    case RequestOutcome::LaunchFailed:
      sendErrorReply(QString::fromLatin1(remote::kLaunchFailedError), QString::fromStdString(result.failure));
      return;
  }
}

}  // namespace wendaro
