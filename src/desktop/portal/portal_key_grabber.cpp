#include "desktop/portal/portal_key_grabber.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QRandomGenerator>

#include <utility>

#include "desktop/portal/preferred_trigger.h"
#include "desktop/qt/shortcut_text.h"

namespace wendaro::portal {

// One shortcut as the portal passes it: an id and named properties.
struct PortalShortcut {
  QString id;
  QVariantMap properties;
};

}  // namespace wendaro::portal

Q_DECLARE_METATYPE(wendaro::portal::PortalShortcut)

namespace wendaro::portal {

QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut) {
  argument.beginStructure();
  argument << shortcut.id << shortcut.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut) {
  argument.beginStructure();
  argument >> shortcut.id >> shortcut.properties;
  argument.endStructure();
  return argument;
}

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kSession = QStringLiteral("org.freedesktop.portal.Session");
// How long start-up waits to learn whether the desktop has the portal; the
// bus starts the portal service on demand.
constexpr int kProbeTimeoutMs = 5000;

// The portal names a request after the caller's unique bus name and a token
// of the caller's, so that its answer can be awaited before the call.
QString requestPath(const QDBusConnection& bus, const QString& token) {
  QString sender = bus.baseService().mid(1);
  sender.replace(QLatin1Char('.'), QLatin1Char('_'));
  return kPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

QString newToken() {
  return QStringLiteral("wendaro_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'));
}

// A session handle comes as a string from some portals, as an object path
// from others.
QString pathOf(const QVariant& value) {
  if (value.metaType() == QMetaType::fromType<QDBusObjectPath>()) return value.value<QDBusObjectPath>().path();
  return value.toString();
}

// The trigger description of each shortcut in a list the portal sent.
std::map<QString, QString> triggerKeys(const QVariant& shortcuts) {
  std::map<QString, QString> keys;
  if (shortcuts.metaType() != QMetaType::fromType<QDBusArgument>()) return keys;
  for (const PortalShortcut& shortcut : qdbus_cast<QList<PortalShortcut>>(shortcuts)) {
    keys[shortcut.id] = shortcut.properties.value(QStringLiteral("trigger_description")).toString();
  }
  return keys;
}

}  // namespace

std::unique_ptr<PortalKeyGrabber> PortalKeyGrabber::connectTo(QDBusConnection bus, const QString& appId,
                                                              Describer describe, Reporter report) {
  if (!bus.isConnected()) return nullptr;
  QDBusMessage version = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  version << kInterface << QStringLiteral("version");
  if (bus.call(version, QDBus::Block, kProbeTimeoutMs).type() != QDBusMessage::ReplyMessage) return nullptr;
  return std::unique_ptr<PortalKeyGrabber>(new PortalKeyGrabber(bus, appId, std::move(describe), std::move(report)));
}

PortalKeyGrabber::PortalKeyGrabber(QDBusConnection bus, const QString& appId, Describer describe, Reporter report)
    : bus_(std::move(bus)), describe_(std::move(describe)), report_(std::move(report)) {
  qDBusRegisterMetaType<PortalShortcut>();
  qDBusRegisterMetaType<QList<PortalShortcut>>();
  bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this, SLOT(activated(QDBusMessage)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("ShortcutsChanged"), this,
               SLOT(shortcutsChanged(QDBusMessage)));
  bindSoon_.setSingleShot(true);
  bindSoon_.setInterval(0);
  connect(&bindSoon_, &QTimer::timeout, this, &PortalKeyGrabber::bind);

  // Portals that know the registry want to hear the program's ID before
  // anything else; older ones answer with an error, which changes nothing.
  QDBusMessage registration = QDBusMessage::createMethodCall(
      kService, kPath, QStringLiteral("org.freedesktop.host.portal.Registry"), QStringLiteral("Register"));
  registration << appId << QVariantMap();
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(registration), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
    finished->deleteLater();
    finishStage();
  });
}

PortalKeyGrabber::~PortalKeyGrabber() {
  if (!requestPath_.isEmpty()) {
    bus_.disconnect(kService, requestPath_, QStringLiteral("org.freedesktop.portal.Request"),
                    QStringLiteral("Response"), this, SLOT(response(QDBusMessage)));
  }
  closeSession();
}

GrabOutcome PortalKeyGrabber::grab(const Shortcut& combination) {
  combinations_[combination] = true;
  if (!boundCombinations().count(combination)) scheduleBinding();
  return GrabOutcome::Grabbed;
}

void PortalKeyGrabber::ungrab(const Shortcut& combination) {
  auto found = combinations_.find(combination);
  if (found != combinations_.end()) found->second = false;
}

std::optional<DesktopTrigger> PortalKeyGrabber::desktopTrigger(const Shortcut& combination) const {
  auto known = triggers_.find(combination);
  if (known != triggers_.end()) return known->second;
  if (combinations_.count(combination)) return DesktopTrigger{};
  return std::nullopt;
}

void PortalKeyGrabber::setRecording(bool recording) {
  recording_ = recording;
  if (!recording_) scheduleBinding();
}

void PortalKeyGrabber::storedShortcutsChanged(const Combinations& stored) {
  std::erase_if(combinations_, [&stored](const auto& entry) { return !stored.count(entry.first); });
  std::erase_if(triggers_, [this](const auto& entry) { return !combinations_.count(entry.first); });
  if (wanted() != boundCombinations()) scheduleBinding();
}

PortalKeyGrabber::Combinations PortalKeyGrabber::wanted() const {
  Combinations all;
  for (const auto& [combination, isGrabbed] : combinations_) all.insert(combination);
  return all;
}

PortalKeyGrabber::Combinations PortalKeyGrabber::boundCombinations() const {
  Combinations combinations;
  for (const auto& [id, combination] : boundIds_) combinations.insert(combination);
  return combinations;
}

void PortalKeyGrabber::scheduleBinding() { bindSoon_.start(); }

void PortalKeyGrabber::bind() {
  if (recording_) return;  // bound again when recording ends
  if (stage_ != Stage::Idle) {
    bindAgain_ = true;
    return;
  }
  const Combinations set = wanted();
  if (set == boundCombinations() || set == refusedSet_) return;
  closeSession();
  if (set.empty()) return;
  stage_ = Stage::Creating;
  const QString token = newToken();
  QDBusMessage create = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("CreateSession"));
  create << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("session_handle_token"), newToken()}};
  request(create, token);
}

void PortalKeyGrabber::bindInSession() {
  stage_ = Stage::Binding;
  bindingIds_.clear();
  QList<PortalShortcut> shortcuts;
  for (const Shortcut& combination : wanted()) {
    const QString id = QString::fromStdString(shortcutText(combination));
    bindingIds_.emplace(id, combination);
    QVariantMap properties{{QStringLiteral("description"), QString::fromStdString(describe_(combination))}};
    if (const auto trigger = preferredTrigger(combination)) {
      properties.insert(QStringLiteral("preferred_trigger"), QString::fromStdString(*trigger));
    }
    shortcuts.append({id, properties});
  }
  const QString token = newToken();
  QDBusMessage bindCall = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("BindShortcuts"));
  bindCall << QVariant::fromValue(QDBusObjectPath(session_)) << QVariant::fromValue(shortcuts) << QString()
           << QVariantMap{{QStringLiteral("handle_token"), token}};
  request(bindCall, token);
}

void PortalKeyGrabber::request(QDBusMessage call, const QString& token) {
  requestPath_ = requestPath(bus_, token);
  bus_.connect(kService, requestPath_, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
               this, SLOT(response(QDBusMessage)));
  auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
    finished->deleteLater();
    if (finished->isError()) refused(finished->error().message().toStdString());
  });
}

void PortalKeyGrabber::response(const QDBusMessage& message) {
  if (message.path() != requestPath_ || message.arguments().size() < 2) return;
  bus_.disconnect(kService, requestPath_, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
                  this, SLOT(response(QDBusMessage)));
  requestPath_.clear();
  const uint code = message.arguments().at(0).toUInt();
  const QVariantMap results = qdbus_cast<QVariantMap>(message.arguments().at(1));
  if (code != 0) {
    refused("it answered " + std::to_string(code));
    return;
  }
  if (stage_ == Stage::Creating) {
    session_ = pathOf(results.value(QStringLiteral("session_handle")));
    bus_.connect(kService, session_, kSession, QStringLiteral("Closed"), this, SLOT(sessionClosed(QDBusMessage)));
    bindInSession();
  } else if (stage_ == Stage::Binding) {
    bound(results);
  }
}

void PortalKeyGrabber::bound(const QVariantMap& results) {
  if (session_.isEmpty()) {  // the desktop closed it meanwhile: bound again
    bindingIds_.clear();
    finishStage();
    return;
  }
  boundIds_ = std::move(bindingIds_);
  bindingIds_.clear();
  refusedSet_.reset();
  const std::map<QString, QString> keys = triggerKeys(results.value(QStringLiteral("shortcuts")));
  for (const auto& [id, combination] : boundIds_) {
    auto given = keys.find(id);
    setTrigger(combination, given == keys.end() || given->second.isEmpty()
                                ? DesktopTrigger{DesktopTrigger::State::Unassigned, {}}
                                : DesktopTrigger{DesktopTrigger::State::Assigned, given->second.toStdString()});
  }
  finishStage();
}

void PortalKeyGrabber::refused(const std::string& problem) {
  if (stage_ != Stage::Creating && stage_ != Stage::Binding) return;
  if (!requestPath_.isEmpty()) {
    bus_.disconnect(kService, requestPath_, QStringLiteral("org.freedesktop.portal.Request"),
                    QStringLiteral("Response"), this, SLOT(response(QDBusMessage)));
    requestPath_.clear();
  }
  closeSession();
  refusedSet_ = wanted();
  bindingIds_.clear();
  if (!toldRefusal_ && report_) report_("the desktop refused the global shortcuts (" + problem + ")");
  toldRefusal_ = true;
  for (const Shortcut& combination : *refusedSet_) setTrigger(combination, {DesktopTrigger::State::Refused, {}});
  finishStage();
}

void PortalKeyGrabber::finishStage() {
  stage_ = Stage::Idle;
  if (bindAgain_) {
    bindAgain_ = false;
    bind();
  }
}

void PortalKeyGrabber::closeSession() {
  if (session_.isEmpty()) return;
  bus_.disconnect(kService, session_, kSession, QStringLiteral("Closed"), this, SLOT(sessionClosed(QDBusMessage)));
  bus_.asyncCall(QDBusMessage::createMethodCall(kService, session_, kSession, QStringLiteral("Close")));
  session_.clear();
  boundIds_.clear();
}

void PortalKeyGrabber::sessionClosed(const QDBusMessage& message) {
  if (session_.isEmpty() || message.path() != session_) return;
  bus_.disconnect(kService, session_, kSession, QStringLiteral("Closed"), this, SLOT(sessionClosed(QDBusMessage)));
  session_.clear();
  boundIds_.clear();
  // Until the new session answers, the desktop's keys are unknown again.
  const auto known = std::exchange(triggers_, {});
  if (triggerHandler_) {
    for (const auto& [combination, trigger] : known) triggerHandler_(combination);
  }
  scheduleBinding();
}

void PortalKeyGrabber::activated(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2 || session_.isEmpty() || pathOf(arguments.at(0)) != session_) return;
  auto id = boundIds_.find(arguments.at(1).toString());
  if (id == boundIds_.end()) return;
  auto combination = combinations_.find(id->second);
  if (combination != combinations_.end() && combination->second && pressHandler_) pressHandler_(id->second);
}

void PortalKeyGrabber::shortcutsChanged(const QDBusMessage& message) {
  const QList<QVariant> arguments = message.arguments();
  if (arguments.size() < 2 || session_.isEmpty() || pathOf(arguments.at(0)) != session_) return;
  for (const auto& [id, keys] : triggerKeys(arguments.at(1))) {
    auto bound = boundIds_.find(id);
    if (bound == boundIds_.end()) continue;
    setTrigger(bound->second, keys.isEmpty() ? DesktopTrigger{DesktopTrigger::State::Unassigned, {}}
                                             : DesktopTrigger{DesktopTrigger::State::Assigned, keys.toStdString()});
  }
}

void PortalKeyGrabber::setTrigger(const Shortcut& combination, DesktopTrigger trigger) {
  DesktopTrigger& known = triggers_[combination];
  if (known == trigger) return;
  known = std::move(trigger);
  if (triggerHandler_) triggerHandler_(combination);
}

}  // namespace wendaro::portal
