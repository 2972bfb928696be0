#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "desktop/linux/program_search.h"

namespace wendaro {

// What decides how desktop entries read in this session: the languages of
// their translations, the current desktops for OnlyShowIn and NotShowIn, and
// where programs are found. Built once per scan.
struct DesktopEntryContext {
  // Most wanted first, ending in "C" (see languageNames).
  std::vector<std::string> languages;
  // The valid names in XDG_CURRENT_DESKTOP, in order.
  std::vector<std::string> currentDesktops;
  ProgramSearch programs;

  // From LANGUAGE, LC_ALL, LC_MESSAGES and LANG, XDG_CURRENT_DESKTOP, PATH and
  // the user's identity.
  static DesktopEntryContext fromEnvironment();
};

// The languages for a locale setting of messages (LANGUAGE, else LC_ALL,
// else LC_MESSAGES, else LANG; a colon-separated list): each locale after
// resolving the aliases of `aliasFile`, with its variants from the most to
// the least specific (de_AT.UTF-8@euro ... de_AT, de.UTF-8, de), then "C".
std::vector<std::string> languageNames(std::string_view setting, const std::string& aliasFile);

// The valid desktop names of an XDG_CURRENT_DESKTOP value: non-empty, of
// ASCII letters, digits, "-" and "_".
std::vector<std::string> currentDesktopNames(std::string_view value);

}  // namespace wendaro
