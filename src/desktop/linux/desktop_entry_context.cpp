#include "desktop/linux/desktop_entry_context.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <unordered_map>

#include "desktop/linux/key_file_lines.h"

namespace wendaro {

namespace {

const char* const kLocaleAliases = "/usr/share/locale/locale.alias";
// Past this many steps an alias chain is taken to be a loop.
constexpr int kMostAliasSteps = 31;

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  if (text.empty()) return parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

const char* nonEmptyVariable(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? value : nullptr;
}

using Aliases = std::unordered_map<std::string, std::string>;

// locale.alias: "alias locale" a line, the first line for an alias winning.
Aliases readAliases(const std::string& file) {
  Aliases aliases;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::string_view text(line);
    while (!text.empty() && isKeyFileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isKeyFileBlank(text.back())) text.remove_suffix(1);
    if (text.empty() || text.front() == '#') continue;
    const std::size_t nameEnd = text.find_first_of(" \t:");
    if (nameEnd == std::string_view::npos) continue;
    std::string_view rest = text.substr(nameEnd + 1);
    while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    if (rest.empty()) continue;
    rest = rest.substr(0, rest.find_first_of(" \t"));
    aliases.emplace(std::string(text.substr(0, nameEnd)), std::string(rest));
  }
  return aliases;
}

std::string unalias(std::string locale, const Aliases& aliases) {
  for (int step = 0; step < kMostAliasSteps; ++step) {
    const auto found = aliases.find(locale);
    if (found == aliases.end() || found->second == locale) break;
    locale = found->second;
  }
  return locale;
}

// language[_territory][.codeset][@modifier], every combination of the
// parts present, the most specific first.
void appendVariants(std::vector<std::string>& names, std::string_view locale) {
  const std::size_t underscore = locale.find('_');
  const std::size_t dot = locale.find('.', underscore == std::string_view::npos ? 0 : underscore);
  std::size_t at = locale.find('@', dot != std::string_view::npos ? dot : underscore == std::string_view::npos ? 0 : underscore);
  enum : unsigned { kCodeset = 1, kTerritory = 2, kModifier = 4 };
  unsigned present = 0;
  std::string_view modifier, codeset, territory;
  if (at != std::string_view::npos) {
    present |= kModifier;
    modifier = locale.substr(at);
  } else {
    at = locale.size();
  }
  std::size_t codesetStart = dot != std::string_view::npos ? dot : at;
  if (dot != std::string_view::npos) {
    present |= kCodeset;
    codeset = locale.substr(dot, at - dot);
  }
  const std::size_t territoryStart = underscore != std::string_view::npos ? underscore : codesetStart;
  if (underscore != std::string_view::npos) {
    present |= kTerritory;
    territory = locale.substr(underscore, codesetStart - underscore);
  }
  const std::string_view language = locale.substr(0, territoryStart);
  for (unsigned j = 0; j <= present; ++j) {
    const unsigned parts = present - j;
    if ((parts & ~present) != 0) continue;
    std::string name(language);
    if (parts & kTerritory) name += territory;
    if (parts & kCodeset) name += codeset;
    if (parts & kModifier) name += modifier;
    names.push_back(std::move(name));
  }
}

}  // namespace

std::vector<std::string> languageNames(std::string_view setting, const std::string& aliasFile) {
  const Aliases aliases = readAliases(aliasFile);
  std::vector<std::string> names;
  for (std::string_view locale : split(setting, ':')) appendVariants(names, unalias(std::string(locale), aliases));
  names.emplace_back("C");
  return names;
}

std::vector<std::string> currentDesktopNames(std::string_view value) {
  std::vector<std::string> names;
  for (std::string_view name : split(value, ':')) {
    const bool valid = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
      return c == '-' || c == '_' || (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    });
    if (valid) names.emplace_back(name);
  }
  return names;
}

DesktopEntryContext DesktopEntryContext::fromEnvironment() {
  const char* setting = nullptr;
  for (const char* variable : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    if ((setting = nonEmptyVariable(variable))) break;
  }
  const char* desktops = std::getenv("XDG_CURRENT_DESKTOP");
  const char* path = std::getenv("PATH");
  return DesktopEntryContext{
      languageNames(setting ? setting : "C", kLocaleAliases),
      currentDesktopNames(desktops ? desktops : ""),
      ProgramSearch(path ? std::optional<std::string>(path) : std::nullopt, ::getuid() == 0),
  };
}

}  // namespace wendaro
