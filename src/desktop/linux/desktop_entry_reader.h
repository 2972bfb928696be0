#pragma once

#include <string>
#include <string_view>

#include "desktop/linux/desktop_entry_context.h"

namespace wendaro {

enum class DesktopEntryVerdict {
  Shown,  // an application for the menus
  // An application that is not listed here: NoDisplay, not for this
  // desktop, or its program not found.
  NotShown,
  NotAnApp,  // a desktop entry of another Type, or one marked Hidden (deleted)
  Invalid,   // not a desktop entry at all: unreadable, or its text breaks the format
};

struct DesktopEntryReading {
  DesktopEntryVerdict verdict = DesktopEntryVerdict::Invalid;
  // The localised Name ("Unnamed" without one) and the localised Icon as
  // written (a theme name or an absolute path; empty without one). Set
  // whatever the verdict once the file reads as a desktop entry's keys.
  std::string title;
  std::string icon;
  // Why the entry is not shown or invalid, for people; empty when shown.
  std::string reason;
};

// Reads the desktop entry `name` in the open directory `directoryFd` and
// decides, as GLib's application listing does, whether it is an application
// to show and under which title. Reads the file once and nothing else
// besides looking up its TryExec and Exec programs.
DesktopEntryReading readDesktopEntry(int directoryFd, std::string_view name, const DesktopEntryContext& context);
// The same for a path (relative ones from the working directory).
DesktopEntryReading readDesktopEntry(const std::string& path, const DesktopEntryContext& context);

// Decides on the text of a desktop entry, already read.
DesktopEntryReading readDesktopEntryText(std::string_view text, const DesktopEntryContext& context);

}  // namespace wendaro
