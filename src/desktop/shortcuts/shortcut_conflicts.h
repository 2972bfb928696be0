#pragma once

#include <functional>
#include <optional>
#include <string>

#include "desktop/shortcuts/key_grabber.h"

namespace wendaro {

// What the shortcut editor asks of the program's shortcuts: whether a
// recorded shortcut cannot work because another program holds it, and that
// they let the keyboard be while it records.
class ShortcutConflicts {
 public:
  using Listener = std::function<void(const std::string& key)>;

  virtual ~ShortcutConflicts() = default;
  // True when the shortcut stored under the bound key is held by another
  // program, so that pressing it does not reach us.
  virtual bool isTakenByAnotherProgram(const std::string& key) const = 0;
  // True when the shortcut stored under the bound key is also stored under
  // another bound key that comes first, so that pressing it runs that key's
  // action and not this one's (a settings file edited by hand, or written
  // before a shortcut could be recorded only once).
  virtual bool isTakenByAnotherKey(const std::string& key) const = 0;
  // Where the desktop chooses the keys of the shortcut stored under the bound
  // key: what it says of them; nothing elsewhere.
  virtual std::optional<DesktopTrigger> desktopTrigger(const std::string& key) const = 0;
  // False when no shortcut of the program can work in this session.
  virtual bool offersGlobalShortcuts() const = 0;
  // Called with a key whenever isTakenByAnotherProgram or desktopTrigger may
  // have changed for it. One listener; setting another replaces it.
  virtual void setConflictListener(Listener listener) = 0;
  // While the editor records, the program's shortcuts let go of their keys,
  // so that pressing one of them records it instead of running it.
  virtual void setRecording(bool recording) = 0;
};

}  // namespace wendaro
