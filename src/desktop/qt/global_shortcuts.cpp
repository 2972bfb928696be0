#include "desktop/qt/global_shortcuts.h"

#include <QDBusConnection>

#include "desktop/portal/portal_key_grabber.h"
#include "desktop/qt/shortcut_text.h"
#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/shortcuts/unavailable_key_grabber.h"
#include "desktop/x11/x11_key_grabber.h"
#include "launch/shortcut_keys.h"
#include "settings/defaults_keys.h"

namespace wendaro {

namespace {

// The desktop-file ID the program is installed under.
const QString kDesktopFileId = QStringLiteral("wendaro");

}  // namespace

GlobalShortcuts::GlobalShortcuts(PlistDefaultsStore& store, Keyboard keyboard, std::ostream& errors)
    : store_(store) {
  if (keyboard == Keyboard::Watch) {
    grabber_ = x11::makeX11KeyGrabber([&errors](const Shortcut& combination) {
      errors << "wendaro: " << shortcutText(combination) << " cannot be used as a global shortcut on this keyboard"
             << std::endl;
    });
    if (!grabber_) {
      auto portal = portal::PortalKeyGrabber::connectTo(
          QDBusConnection::sessionBus(), kDesktopFileId,
          [this](const Shortcut& combination) { return describe(combination); },
          [&errors](const std::string& problem) { errors << "wendaro: " << problem << std::endl; });
      portal_ = portal.get();
      grabber_ = std::move(portal);
    }
    if (!grabber_) {
      errors << "wendaro: global shortcuts are not available in this session; bind a key to "
                "\"wendaro --open-menu\" or \"wendaro --launch PATH\" in the desktop's keyboard settings instead"
             << std::endl;
    }
  }
  watches_ = grabber_ != nullptr;
  if (!grabber_) grabber_ = std::make_unique<UnavailableKeyGrabber>();
  binder_ = std::make_unique<GlobalShortcutBinder>(
      *grabber_,
      [this](const std::string& key) {
        noteStored(key);
        return storedShortcut(store_, key);
      },
      [&errors](const Shortcut& combination) {
        errors << "wendaro: " << shortcutText(combination) << " is already taken by another program" << std::endl;
      });
  listener_ = store_.addChangeListener([this](const std::string& key) {
    const bool changed = noteStored(key);
    binder_->storedValueChanged(key);
    if (!portal_ || !changed) return;
    portal::PortalKeyGrabber::Combinations combinations;
    for (const auto& [storedKey, combination] : stored_) combinations.insert(combination);
    portal_->storedShortcutsChanged(combinations);
  });
}

bool GlobalShortcuts::noteStored(const std::string& key) {
  if (key != keys::kMenuShortcut && !isMintedShortcutKey(key)) return false;
  const std::optional<Shortcut> now = storedShortcut(store_, key);
  const auto before = stored_.find(key);
  if (before == stored_.end() ? !now : now == before->second) return false;
  if (now) {
    stored_.insert_or_assign(key, *now);
  } else {
    stored_.erase(before);
  }
  return true;
}

// The title of what the combination launches: the first key storing it
// runs (see GlobalShortcutBinder).
std::string GlobalShortcuts::describe(const Shortcut& combination) const {
  const std::vector<std::string> keys = binder_->keysUsing(combination);
  const std::string title = titleOf_ && !keys.empty() ? titleOf_(keys.front()) : std::string();
  return title.empty() ? shortcutText(combination) : title;
}

GlobalShortcuts::~GlobalShortcuts() { store_.removeChangeListener(listener_); }

}  // namespace wendaro
