#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "desktop/shortcuts/key_grabber.h"
#include "desktop/shortcuts/shortcut_order.h"

class QDBusMessage;

namespace wendaro::portal {

// Global shortcuts through the desktop's GlobalShortcuts portal, for
// sessions without key grabs (Wayland). The portal takes a whole set of
// shortcuts at once, once per session: each grabbed combination is one
// shortcut of the set, with the combination as its preferred trigger and
// what it launches as its description, and the desktop decides the keys
// that trigger it (desktopTrigger). A change of the set binds it again in
// a new session, after the changes of the moment have all come in.
//
// Letting go of a combination keeps it in the desktop's set, unheard, so
// that a shortcut that breaks its own binding for a while (the main menu's)
// or the recording of the shortcut editor costs no new session; it leaves
// the set when it is no longer stored (storedShortcutsChanged). While the
// editor records, the set waits, and is bound again when recording ends. A
// session the desktop closes is followed by a new one. A portal that refuses
// is told once through the reporter, and asked again only for another set.
class PortalKeyGrabber : public QObject, public KeyGrabber {
  Q_OBJECT

 public:
  using Describer = std::function<std::string(const Shortcut&)>;
  using Reporter = std::function<void(const std::string& problem)>;

  // The grabber, or nothing when the bus offers no GlobalShortcuts portal.
  // `appId` is the program's desktop-file ID, which newer portals want to
  // know from a program that runs outside a sandbox.
  static std::unique_ptr<PortalKeyGrabber> connectTo(QDBusConnection bus, const QString& appId, Describer describe,
                                                     Reporter report);
  ~PortalKeyGrabber() override;

  GrabOutcome grab(const Shortcut& combination) override;
  void ungrab(const Shortcut& combination) override;
  void setPressHandler(PressHandler handler) override { pressHandler_ = std::move(handler); }
  std::optional<DesktopTrigger> desktopTrigger(const Shortcut& combination) const override;
  void setTriggerHandler(std::function<void(const Shortcut&)> handler) override { triggerHandler_ = std::move(handler); }
  void setRecording(bool recording) override;

  using Combinations = std::set<Shortcut, ShortcutOrder>;
  // A stored shortcut changed: combinations no longer among the `stored`
  // ones leave the desktop's set.
  void storedShortcutsChanged(const Combinations& stored);

 private slots:
  void response(const QDBusMessage& message);
  void activated(const QDBusMessage& message);
  void shortcutsChanged(const QDBusMessage& message);
  void sessionClosed(const QDBusMessage& message);

 private:
  enum class Stage { Registering, Idle, Creating, Binding };

  PortalKeyGrabber(QDBusConnection bus, const QString& appId, Describer describe, Reporter report);

  // The desktop's set as it should be.
  Combinations wanted() const;
  Combinations boundCombinations() const;
  void scheduleBinding();
  // Binds the grabbed set in a new session, unless it is bound already.
  void bind();
  void bindInSession();
  void bound(const QVariantMap& results);
  void refused(const std::string& problem);
  void closeSession();
  void finishStage();
  // Calls the portal and waits for the Response of the request it makes.
  void request(QDBusMessage call, const QString& token);
  void setTrigger(const Shortcut& combination, DesktopTrigger trigger);

  QDBusConnection bus_;
  Describer describe_;
  Reporter report_;
  PressHandler pressHandler_;
  std::function<void(const Shortcut&)> triggerHandler_;
  // Every combination in the desktop's set or about to be, and whether it is
  // grabbed (heard).
  std::map<Shortcut, bool, ShortcutOrder> combinations_;
  std::map<Shortcut, DesktopTrigger, ShortcutOrder> triggers_;
  Stage stage_ = Stage::Registering;
  bool bindAgain_ = false;
  bool recording_ = false;
  QTimer bindSoon_;
  QString requestPath_;
  QString session_;
  // The shortcut ids of the session's set, and of the set being bound.
  std::map<QString, Shortcut> boundIds_;
  std::map<QString, Shortcut> bindingIds_;
  std::optional<Combinations> refusedSet_;
  bool toldRefusal_ = false;
};

}  // namespace wendaro::portal
