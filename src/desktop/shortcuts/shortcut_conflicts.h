#pragma once

#include <functional>
#include <string>

namespace wendaro {

// What the shortcut editor asks to tell the user that a recorded shortcut
// cannot work because another program holds it.
class ShortcutConflicts {
 public:
  using Listener = std::function<void(const std::string& key)>;

  virtual ~ShortcutConflicts() = default;
  // True when the shortcut stored under the bound key is held by another
  // program, so that pressing it does not reach us.
  virtual bool isTakenByAnotherProgram(const std::string& key) const = 0;
  // Called with a key whenever isTakenByAnotherProgram may have changed for
  // it. One listener; setting another replaces it.
  virtual void setConflictListener(Listener listener) = 0;
};

}  // namespace wendaro
