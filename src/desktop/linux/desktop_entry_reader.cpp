#include "desktop/linux/desktop_entry_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "desktop/linux/command_line_words.h"
#include "desktop/linux/key_file_lines.h"
#include "desktop/linux/key_file_values.h"

namespace wendaro {

namespace {

const char* const kDesktopGroup = "Desktop Entry";
const char* const kUnnamed = "Unnamed";
// Desktop entries are a few kilobytes; this is far beyond any real one.
constexpr off_t kLargestEntry = 16 * 1024 * 1024;

using Value = std::optional<std::string_view>;

// A localised key: its plain value and its value for each language of the
// context, the last one in the file winning.
struct LocalisedValue {
  Value plain;
  std::vector<Value> byLanguage;

  // Takes `key` if it is `base` or `base[language]` for a language of the context.
  bool take(std::string_view base, std::string_view key, std::string_view value, const std::vector<std::string>& languages) {
    if (key.substr(0, base.size()) != base) return false;
    const std::string_view rest = key.substr(base.size());
    if (rest.empty()) {
      plain = value;
      return true;
    }
    if (rest.front() != '[' || rest.back() != ']') return false;
    const std::string_view locale = rest.substr(1, rest.size() - 2);
    const auto found = std::find(languages.begin(), languages.end(), locale);
    if (found == languages.end()) return true;
    if (byLanguage.empty()) byLanguage.resize(languages.size());
    byLanguage[static_cast<std::size_t>(found - languages.begin())] = value;
    return true;
  }

  // The value for the most wanted language that has a UTF-8 one, else the plain one.
  std::optional<std::string> text() const {
    for (const Value& value : byLanguage) {
      if (!value) continue;
      if (auto text = keyFileString(*value)) return text;
    }
    if (!plain) return std::nullopt;
    return keyFileString(*plain);
  }
};

// The keys of the [Desktop Entry] group that decide what is shown.
struct EntryKeys {
  std::optional<std::string> startGroup;
  Value type, tryExec, exec, noDisplay, hidden, onlyShowIn, notShowIn;
  LocalisedValue name, icon;

  void take(std::string_view key, std::string_view value, const std::vector<std::string>& languages) {
    struct Plain {
      std::string_view key;
      Value EntryKeys::*field;
    };
    static constexpr Plain kPlain[] = {
        {"Type", &EntryKeys::type},           {"TryExec", &EntryKeys::tryExec},
        {"Exec", &EntryKeys::exec},           {"NoDisplay", &EntryKeys::noDisplay},
        {"Hidden", &EntryKeys::hidden},       {"OnlyShowIn", &EntryKeys::onlyShowIn},
        {"NotShowIn", &EntryKeys::notShowIn},
    };
    for (const Plain& plain : kPlain) {
      if (key == plain.key) {
        this->*plain.field = value;
        return;
      }
    }
    if (!name.take("Name", key, value, languages)) icon.take("Icon", key, value, languages);
  }
};

bool contains(const std::optional<std::vector<std::string>>& list, const std::string& item) {
  return list && std::find(list->begin(), list->end(), item) != list->end();
}

// OnlyShowIn and NotShowIn: the first current desktop that either names decides.
bool showsInCurrentDesktop(const EntryKeys& keys, const DesktopEntryContext& context) {
  const auto onlyShowIn = keys.onlyShowIn ? keyFileList(*keys.onlyShowIn) : std::nullopt;
  const auto notShowIn = keys.notShowIn ? keyFileList(*keys.notShowIn) : std::nullopt;
  for (const std::string& desktop : context.currentDesktops) {
    if (contains(onlyShowIn, desktop)) return true;
    if (contains(notShowIn, desktop)) return false;
  }
  return !onlyShowIn;
}

DesktopEntryReading verdict(DesktopEntryVerdict verdict, std::string reason) {
  return {verdict, {}, {}, std::move(reason)};
}

std::optional<std::string> nonEmptyString(const Value& value) {
  if (!value) return std::nullopt;
  auto text = keyFileString(*value);
  if (!text || text->empty()) return std::nullopt;
  return text;
}

DesktopEntryReading decide(const EntryKeys& keys, const DesktopEntryContext& context) {
  using enum DesktopEntryVerdict;
  if (keys.startGroup != kDesktopGroup) return verdict(Invalid, "it does not start with a [Desktop Entry] group");
  DesktopEntryReading reading{Shown, keys.name.text().value_or(kUnnamed), keys.icon.text().value_or(""), {}};
  auto leftOut = [&reading](DesktopEntryVerdict as, std::string reason) {
    reading.verdict = as;
    reading.reason = std::move(reason);
    return reading;
  };
  const auto type = keys.type ? keyFileString(*keys.type) : std::nullopt;
  if (!type) return leftOut(Invalid, "it has no Type");
  if (*type != "Application") return leftOut(NotAnApp, "its Type is " + *type + ", not Application");
  if (keys.hidden && keyFileBoolean(*keys.hidden)) return leftOut(NotAnApp, "it is marked Hidden");
  if (const auto tryExec = nonEmptyString(keys.tryExec); tryExec && !context.programs.finds(*tryExec)) {
    return leftOut(NotShown, "its TryExec program " + *tryExec + " is not installed");
  }
  if (const auto exec = nonEmptyString(keys.exec)) {
    const auto program = commandLineProgram(*exec);
    if (!program) return leftOut(Invalid, "its Exec line cannot be read as a command");
    if (!context.programs.finds(*program)) return leftOut(NotShown, "its program " + *program + " is not installed");
  }
  if (keys.noDisplay && keyFileBoolean(*keys.noDisplay)) return leftOut(NotShown, "it is marked NoDisplay");
  if (!showsInCurrentDesktop(keys, context)) {
    return leftOut(NotShown, "it is not for this desktop (OnlyShowIn or NotShowIn)");
  }
  return reading;
}

DesktopEntryReading readOpenFile(int fd, const DesktopEntryContext& context) {
  struct stat status {};
  if (::fstat(fd, &status) != 0) return verdict(DesktopEntryVerdict::Invalid, std::strerror(errno));
  if (!S_ISREG(status.st_mode)) return verdict(DesktopEntryVerdict::Invalid, "it is not a regular file");
  if (status.st_size > kLargestEntry) return verdict(DesktopEntryVerdict::Invalid, "it is too large for a desktop entry");
  // One byte more than the size, so that a file that grew is still read
  // whole. The buffer is kept for the next entry this thread reads.
  thread_local std::string text;
  text.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t length = 0;
  while (true) {
    if (length == text.size()) text.resize(std::min<std::size_t>(text.size() * 2, kLargestEntry + 1));
    const ssize_t got = ::read(fd, text.data() + length, text.size() - length);
    if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (got < 0) return verdict(DesktopEntryVerdict::Invalid, std::strerror(errno));
    if (got == 0) break;
    length += static_cast<std::size_t>(got);
    if (length > static_cast<std::size_t>(kLargestEntry)) {
      return verdict(DesktopEntryVerdict::Invalid, "it is too large for a desktop entry");
    }
  }
  return readDesktopEntryText(std::string_view(text).substr(0, length), context);
}

DesktopEntryReading readOpened(int fd, const DesktopEntryContext& context) {
  if (fd < 0) return verdict(DesktopEntryVerdict::Invalid, std::strerror(errno));
  DesktopEntryReading reading = readOpenFile(fd, context);
  ::close(fd);
  return reading;
}

// A FIFO must not stall the scan: opening does not wait for a writer, and
// the file is then refused as not regular.
constexpr int kOpenFlags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;

}  // namespace

DesktopEntryReading readDesktopEntryText(std::string_view text, const DesktopEntryContext& context) {
  EntryKeys keys;
  bool inDesktopGroup = false;
  const KeyFileVisitor visitor{
      [&](std::string_view group) {
        if (!keys.startGroup) keys.startGroup = std::string(group);
        inDesktopGroup = group == kDesktopGroup;
      },
      [&](std::string_view key, std::string_view value) {
        if (inDesktopGroup) keys.take(key, value, context.languages);
      },
  };
  if (const auto error = scanKeyFile(text, visitor)) {
    return verdict(DesktopEntryVerdict::Invalid, "line " + std::to_string(error->line) + ": " + error->what);
  }
  return decide(keys, context);
}

DesktopEntryReading readDesktopEntry(int directoryFd, std::string_view name, const DesktopEntryContext& context) {
  return readOpened(::openat(directoryFd, std::string(name).c_str(), kOpenFlags), context);
}

DesktopEntryReading readDesktopEntry(const std::string& path, const DesktopEntryContext& context) {
  return readOpened(::open(path.c_str(), kOpenFlags), context);
}

}  // namespace wendaro
