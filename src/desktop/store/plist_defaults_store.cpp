#include "desktop/store/plist_defaults_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "desktop/store/atomic_file.h"
#include "desktop/store/plist_file.h"
#include "desktop/store/plist_values.h"

namespace wendaro {

namespace {

constexpr mode_t kSettingsFileMode = 0600;

struct FileContents {
  bool exists = true;
  std::string text;
  // Why the file could not be read; empty when it was.
  std::string failure;
};

FileContents readWholeFile(const std::string& path) {
  // Non-blocking, so that a FIFO in the file's place cannot hang the start.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return errno == ENOENT ? FileContents{false, {}, {}} : FileContents{true, {}, lastErrorText()};
  FileContents contents;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    contents.failure = lastErrorText();
  } else if (!S_ISREG(status.st_mode)) {
    contents.failure = "it is not a regular file";
  } else {
    char buffer[65536];
    for (;;) {
      ssize_t count = ::read(fd, buffer, sizeof buffer);
      if (count < 0 && errno == EINTR) continue;
      if (count < 0) contents.failure = lastErrorText();
      if (count <= 0) break;
      contents.text.append(buffer, static_cast<size_t>(count));
    }
  }
  ::close(fd);
  return contents;
}

std::string utcStamp(std::time_t time) {
  std::tm parts {};
  ::gmtime_r(&time, &parts);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &parts);
  return stamp;
}

// What a settings file holds (none when there is no file), or why it cannot
// be used.
struct SettingsFileRead {
  Value::Dictionary settings;
  std::string failure;
};

SettingsFileRead readSettingsFile(const std::string& filePath) {
  FileContents contents = readWholeFile(filePath);
  if (!contents.exists) return {};
  if (!contents.failure.empty()) return {{}, contents.failure};
  Result<Value::Dictionary> settings = settingsFromPlistText(contents.text);
  if (!settings.ok()) return {{}, settings.error().message};
  return {settings.value(), {}};
}

}  // namespace

PlistDefaultsStore::PlistDefaultsStore(std::string filePath, PlistStoreOptions options)
    : filePath_(std::move(filePath)), options_(std::move(options)) {
  load();
}

void PlistDefaultsStore::load() {
  SettingsFileRead read = readSettingsFile(filePath_);
  if (!read.failure.empty()) return setAside(read.failure);
  values_ = std::move(read.settings);
}

Value::Dictionary PlistDefaultsStore::readSettings(const std::string& filePath, std::ostream& errors) {
  SettingsFileRead read = readSettingsFile(filePath);
  if (!read.failure.empty()) {
    errors << "wendaro: the settings file " << filePath << " cannot be used (" << read.failure
           << "); the default settings apply\n";
  }
  return std::move(read.settings);
}

void PlistDefaultsStore::setAside(const std::string& reason) {
  std::ostream& errors = *options_.errors;
  const std::string base = filePath_ + ".corrupt-" + utcStamp(options_.now());
  for (int attempt = 1; attempt <= 100; ++attempt) {
    std::string aside = attempt == 1 ? base : base + "-" + std::to_string(attempt);
    if (options_.fileCalls->renameWithoutReplacing(filePath_, aside) == 0) {
      setAsidePath_ = aside;
      errors << "wendaro: the settings file " << filePath_ << " cannot be used (" << reason << "); it was moved to "
             << aside << " and the program starts with the default settings\n";
      return;
    }
    if (errno != EEXIST) break;
  }
  writesForbidden_ = true;
  saved_ = false;
  errors << "wendaro: the settings file " << filePath_ << " cannot be used (" << reason
         << ") and cannot be moved aside (" << lastErrorText()
         << "); the program starts with the default settings and saves no changes\n";
}

std::optional<Value> PlistDefaultsStore::objectForKey(const std::string& key) const {
  auto found = values_.find(key);
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

void PlistDefaultsStore::setObject(const std::string& key, const Value& value) {
  std::optional<std::string> refusal = whyUnstorableKey(key);
  if (!refusal) refusal = whyUnstorable(value);
  if (refusal) {
    *options_.errors << "wendaro: the setting \"" << key << "\" was not changed: " << *refusal << "\n";
    return;
  }
  // The file already holds exactly this, or will when the held write is
  // made: writing it again would change nothing but cost two disk syncs.
  if (auto stored = values_.find(key);
      (saved_ || writeHolds_ > 0) && stored != values_.end() && stored->second == value) {
    return;
  }
  values_[key] = value;
  save();
  notify(key);
}

void PlistDefaultsStore::removeObjectForKey(const std::string& key) {
  if (values_.erase(key) == 0) return;
  save();
  notify(key);
}

PlistDefaultsStore::WriteHold::~WriteHold() {
  if (--store_.writeHolds_ == 0 && !store_.saved_ && !store_.writesForbidden_) store_.save();
}

void PlistDefaultsStore::save() {
  if (writesForbidden_) {
    *options_.errors << "wendaro: the change is not saved, to keep the unusable settings file " << filePath_
                     << " as it is\n";
    return;
  }
  if (writeHolds_ > 0) {
    saved_ = false;
    return;
  }
  WriteOutcome outcome =
      writeFileAtomically(filePath_, plistTextOfSettings(values_), kSettingsFileMode, *options_.fileCalls);
  saved_ = outcome.succeeded;
  if (!saved_) {
    *options_.errors << "wendaro: the settings could not be saved (" << outcome.failure
                     << "); the change lasts until the program quits\n";
  }
}

PlistDefaultsStore::ListenerId PlistDefaultsStore::addChangeListener(ChangeListener listener) {
  ListenerId id = nextListenerId_++;
  listeners_.emplace(id, std::move(listener));
  return id;
}

void PlistDefaultsStore::removeChangeListener(ListenerId id) { listeners_.erase(id); }

void PlistDefaultsStore::notify(const std::string& key) {
  // A copy, so that a listener may add or remove listeners or change the store.
  auto listeners = listeners_;
  for (auto& [id, listener] : listeners) listener(key);
}

}  // namespace wendaro
