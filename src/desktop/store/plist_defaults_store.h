#pragma once

#include <ctime>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <string>

#include "desktop/store/file_calls.h"
#include "platform/defaults_store.h"

namespace wendaro {

struct PlistStoreOptions {
  // Where the store says what went wrong.
  std::ostream* errors = &std::cerr;
  // The calls that change files.
  FileCalls* fileCalls = &systemFileCalls();
  // The time in the name of a file moved aside.
  std::function<std::time_t()> now = [] { return std::time(nullptr); };
};

// The defaults store kept in an XML property list file, read once when the
// store is made and rewritten whole, atomically and with mode 0600, after
// every change. The one process that owns the file (see StoreLock) makes it.
//
// A file that cannot be read, is not a property list whose top level is a
// dictionary, or holds anything that would not be read back exactly, is
// moved aside to "<file>.corrupt-<UTC time>" (never over an existing file),
// with a message, and the store starts empty; if it cannot be moved, the
// store keeps changes in memory only and never writes over it.
class PlistDefaultsStore : public DefaultsStore {
 public:
  using ChangeListener = std::function<void(const std::string& key)>;
  using ListenerId = unsigned;

  explicit PlistDefaultsStore(std::string filePath, PlistStoreOptions options = {});

  // The settings the file holds, read without owning it: a missing file holds
  // none; a file that cannot be used is left where it is, `errors` says why,
  // and it counts as holding none.
  static Value::Dictionary readSettings(const std::string& filePath, std::ostream& errors);

  std::optional<Value> objectForKey(const std::string& key) const override;
  // A value that the file cannot hold exactly (see whyUnstorable) is refused
  // with a message and changes nothing. A value that is taken is visible at
  // once; when writing the file fails, it stays in memory, the old file stays
  // whole and a message says so. Setting the value the saved file already
  // holds writes nothing and tells no listener.
  void setObject(const std::string& key, const Value& value) override;
  void removeObjectForKey(const std::string& key) override;

  // While a WriteHold lasts, changes are taken (visible at once, listeners
  // told) but the file is written once, when the last hold ends: start-up
  // changes several settings, and one write is quicker and leaves the file
  // with all of them or none.
  class [[nodiscard]] WriteHold {
   public:
    explicit WriteHold(PlistDefaultsStore& store) : store_(store) { ++store_.writeHolds_; }
    ~WriteHold();
    WriteHold(const WriteHold&) = delete;
    WriteHold& operator=(const WriteHold&) = delete;

   private:
    PlistDefaultsStore& store_;
  };
  WriteHold holdWrites() { return WriteHold(*this); }

  // True when the file holds everything this store holds; false after a
  // failed write, until a later write succeeds, and while a write is held.
  bool isSaved() const { return saved_; }
  // Where the file was moved when it could not be used, if it was.
  const std::optional<std::string>& setAsidePath() const { return setAsidePath_; }

  // The listener is called with the key after each change that this process
  // makes (a taken setObject, a removeObjectForKey of a present key).
  ListenerId addChangeListener(ChangeListener listener);
  void removeChangeListener(ListenerId id);

 private:
  void load();
  void setAside(const std::string& reason);
  void save();
  void notify(const std::string& key);

  std::string filePath_;
  PlistStoreOptions options_;
  Value::Dictionary values_;
  bool saved_ = true;
  int writeHolds_ = 0;
  // Set when an unusable file could not be moved aside: it must not be replaced.
  bool writesForbidden_ = false;
  std::optional<std::string> setAsidePath_;
  std::map<ListenerId, ChangeListener> listeners_;
  ListenerId nextListenerId_ = 1;
};

}  // namespace wendaro
