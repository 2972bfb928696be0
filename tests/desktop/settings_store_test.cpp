// The settings file: its text, its values, how it is written and kept, and
// the lock that gives it one owner.
#include <gtest/gtest.h>

#include <locale.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <limits>
#include <sstream>

#include "desktop/store/atomic_file.h"
#include "desktop/store/file_calls.h"
#include "desktop/store/plist_defaults_store.h"
#include "desktop/store/plist_file.h"
#include "desktop/store/store_lock.h"
#include "temporary_directory.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace wendaro {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

// The real file calls, named as they are made, of which these fail (EIO):
// call number `failingCall`, or with `stopsThere` it and every later one (a
// machine stopping there); or the first call named `failingName`. A failing
// write writes half first. With `shortWrites` a write takes at most 7 bytes.
class FaultyFileCalls : public FileCalls {
 public:
  int failingCall = 0;
  bool stopsThere = false;
  std::string failingName;
  bool shortWrites = false;
  std::vector<std::string> made;

  int makeDirectory(const std::string& path, mode_t mode) override {
    return fails("makeDirectory") ? -1 : FileCalls::makeDirectory(path, mode);
  }
  int createUniqueFile(std::string& path) override {
    return fails("createUniqueFile") ? -1 : FileCalls::createUniqueFile(path);
  }
  int changeMode(int fd, mode_t mode) override { return fails("changeMode") ? -1 : FileCalls::changeMode(fd, mode); }
  ssize_t write(int fd, const void* data, size_t size) override {
    if (!fails("write")) return FileCalls::write(fd, data, shortWrites ? std::min<size_t>(size, 7) : size);
    FileCalls::write(fd, data, size / 2);
    errno = EIO;
    return -1;
  }
  int sync(int fd) override { return fails("sync") ? -1 : FileCalls::sync(fd); }
  int close(int fd) override {
    const bool failing = fails("close");
    const int result = FileCalls::close(fd);
    errno = failing ? EIO : errno;
    return failing ? -1 : result;
  }
  int rename(const std::string& from, const std::string& to) override {
    return fails("rename") ? -1 : FileCalls::rename(from, to);
  }
  int renameWithoutReplacing(const std::string& from, const std::string& to) override {
    return fails("renameWithoutReplacing") ? -1 : FileCalls::renameWithoutReplacing(from, to);
  }
  int openDirectory(const std::string& path) override {
    return fails("openDirectory") ? -1 : FileCalls::openDirectory(path);
  }
  int removeFile(const std::string& path) override { return fails("removeFile") ? -1 : FileCalls::removeFile(path); }

 private:
  bool fails(const char* name) {
    made.push_back(name);
    const int number = static_cast<int>(made.size());
    bool failing = failingCall > 0 && (stopsThere ? number >= failingCall : number == failingCall);
    if (name == failingName) {
      failing = true;
      failingName.clear();
    }
    errno = failing ? EIO : errno;
    return failing;
  }
};

const std::string kOld = "old contents\n";
const std::string kNew = std::string(10000, 'n') + "\n";

// The new file is synced before the rename and its directory after it, short
// writes go on where they stopped, and the file has the mode asked for in
// directories made private. A symbolic link stays, and its target is written.
TEST(AtomicFile, WritesTheWholeFileDurablyWithTheGivenMode) {
  testing::TemporaryDirectory directory;
  FaultyFileCalls calls;
  calls.shortWrites = true;
  const mode_t previousMask = ::umask(077);
  ASSERT_TRUE(writeFileAtomically(directory / "a/b/shared", kNew, 0644, calls).succeeded);
  ::umask(previousMask);
  EXPECT_EQ(testing::readFile(directory / "a/b/shared"), kNew);
  auto from = std::find(calls.made.begin(), calls.made.end(), "changeMode") + 1;
  from = std::find_if(from, calls.made.end(), [](const std::string& call) { return call != "write"; });
  EXPECT_EQ(Strings(from, calls.made.end()), (Strings{"sync", "close", "rename", "openDirectory", "sync", "close"}));
  for (const auto& [name, mode] : {std::pair{"a", 0700u}, {"a/b", 0700u}, {"a/b/shared", 0644u}}) {
    EXPECT_EQ(std::filesystem::status(directory / name).permissions(), std::filesystem::perms(mode)) << name;
  }
  std::filesystem::create_symlink("a/b/shared", directory / "link");
  std::filesystem::create_symlink("a/b/not-yet", directory / "dangling");
  for (const char* name : {"link", "dangling"}) {
    ASSERT_TRUE(writeFileAtomically(directory / name, kOld, 0600).succeeded) << name;
    EXPECT_TRUE(std::filesystem::is_symlink(directory / name)) << name;
  }
  EXPECT_EQ(testing::readFile(directory / "a/b/shared"), kOld);
  EXPECT_EQ(testing::readFile(directory / "a/b/not-yet"), kOld);
}

// Every call of the write fails in turn, alone or as the point where the
// machine stops: the file is always the old one or the new one, whole, and
// any failure but that of making a directory already there is reported.
TEST(AtomicFile, AnInterruptedWriteLeavesTheOldFileOrTheNewOneNeverATornOne) {
  for (bool stopsThere : {false, true}) {
    for (int failing = 1;; ++failing) {
      SCOPED_TRACE((stopsThere ? "stop at call " : "only call ") + std::to_string(failing));
      testing::TemporaryDirectory directory;
      testing::writeFile(directory / "file", kOld);
      FaultyFileCalls calls;
      calls.failingCall = failing;
      calls.stopsThere = stopsThere;
      WriteOutcome outcome = writeFileAtomically(directory / "file", kNew, 0600, calls);
      if (static_cast<int>(calls.made.size()) < failing) break;
      const auto contents = testing::readFile(directory / "file");
      EXPECT_TRUE(outcome.succeeded ? contents == kNew : contents == kOld || contents == kNew);
      EXPECT_EQ(outcome.failure.empty(), outcome.succeeded);
      if (!stopsThere) {
        EXPECT_EQ(outcome.succeeded, calls.made[failing - 1] == "makeDirectory") << calls.made[failing - 1];
        EXPECT_EQ(testing::namesIn(directory.path()), Strings{"file"}) << "a temporary file was left";
      }
    }
  }
}

class PlistDefaultsStoreTest : public ::testing::Test {
 protected:
  testing::TemporaryDirectory directory;
  std::string settingsDirectory = directory / "wendaro";
  std::string file = settingsDirectory + "/defaults.plist";
  std::ostringstream errors;
  FaultyFileCalls calls;
  // 2026-12-06 10:15:00 UTC
  PlistStoreOptions options{.errors = &errors, .fileCalls = &calls, .now = [] { return std::time_t{1796552100}; }};
  bool saysOnce(const std::string& what) const {
    const std::string text = errors.str();
    return text.find(what) != std::string::npos && text.find('\n') == text.size() - 1;
  }
};

// Nothing is written until a change, and then every change at once; setting
// the saved value again writes nothing. Listeners hear each change once, with
// the new value in place, and may change the store.
TEST_F(PlistDefaultsStoreTest, EveryChangeIsInTheFileAtOnceAndHeardOnce) {
  PlistDefaultsStore store(file, options);
  Strings heard;
  auto id = store.addChangeListener([&](const std::string& key) {
    heard.push_back(key + "=" + (store.objectForKey(key) ? "set" : "gone"));
    if (key == "ash1") store.removeObjectForKey("ash1");
  });
  EXPECT_FALSE(std::filesystem::exists(settingsDirectory));
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  store.setObject("ash1", Value("shortcut"));
  EXPECT_EQ(PlistDefaultsStore(file, options).objectForKey("favorites"), stringArrayValue({"/A.app"}));
  calls.made.clear();
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  store.removeObjectForKey("never stored");
  store.setObject("refused", Value("\x01"));
  EXPECT_TRUE(calls.made.empty());
  store.removeObjectForKey("favorites");
  store.removeChangeListener(id);
  store.setBool("launchAtStartup", true);
  EXPECT_EQ(heard, (Strings{"favorites=set", "ash1=set", "ash1=gone", "favorites=gone"}));
  PlistDefaultsStore reread(file, options);
  EXPECT_FALSE(reread.objectForKey("favorites") || reread.objectForKey("ash1"));
  EXPECT_TRUE(reread.boolForKey("launchAtStartup"));
}

// Each unusable file is moved aside under a name no earlier one took, and
// the store starts empty and saves again. A FIFO must not hang the start.
TEST_F(PlistDefaultsStoreTest, AnUnusableFileIsMovedAsideAndTheStoreStartsEmpty) {
  using enum std::filesystem::file_type;
  auto write = [&](const std::string& text) { return [this, text] { testing::writeFile(file, text); }; };
  const std::tuple<const char*, std::function<void()>, std::filesystem::file_type> cases[] = {
      {"torn file", write("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>f</key><arr"), regular},
      {"empty file", write(""), regular},
      {"NUL in a string", write("<plist><dict><key>f</key><string>\0</string></dict></plist>"s), regular},
      {"directory", [&] { std::filesystem::create_directories(file); }, directory},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); }, fifo},
  };
  const std::string base = file + ".corrupt-20261206T101500Z";
  std::filesystem::create_directories(settingsDirectory);
  for (int i = 0; const auto& [name, make, type] : cases) {
    SCOPED_TRACE(name);
    errors.str("");
    make();
    PlistDefaultsStore store(file, options);
    const std::string aside = i++ == 0 ? base : base + "-" + std::to_string(i);
    EXPECT_EQ(store.setAsidePath(), aside);
    EXPECT_EQ(std::filesystem::symlink_status(aside).type(), type);
    EXPECT_TRUE(saysOnce(file + " cannot be used")) << errors.str();
    EXPECT_NE(errors.str().find("moved to " + aside), std::string::npos) << errors.str();
    store.setBool("launchAtStartup", true);
    EXPECT_TRUE(PlistDefaultsStore(file, options).boolForKey("launchAtStartup"));
    std::filesystem::remove(file);
  }
  EXPECT_EQ(testing::readFile(base)->substr(0, 5), "<?xml") << "a file set aside is kept as it was";

  testing::writeFile(file, "broken");
  calls.failingName = "renameWithoutReplacing";
  calls.made.clear();
  PlistDefaultsStore unmovable(file, options);
  EXPECT_FALSE(unmovable.setAsidePath());
  EXPECT_NE(errors.str().find("cannot be moved aside"), std::string::npos) << errors.str();
  unmovable.setObject("favorites", stringArrayValue({"/A.app"}));
  EXPECT_EQ(testing::readFile(file), "broken");
  EXPECT_EQ(calls.made, Strings{"renameWithoutReplacing"}) << "no write was tried";
}

// A failed write keeps the value and the old file and says so once; the next
// write saves everything, even when it sets the value the failed one set.
TEST_F(PlistDefaultsStoreTest, TheNextWriteSavesWhatAFailedOneCouldNot) {
  PlistDefaultsStore(file, options).setObject("favorites", stringArrayValue({"/Old.app"}));
  const auto oldFile = testing::readFile(file);
  calls.failingName = "sync";
  PlistDefaultsStore store(file, options);
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  EXPECT_FALSE(store.isSaved());
  EXPECT_EQ(testing::readFile(file), oldFile);
  EXPECT_EQ(testing::namesIn(settingsDirectory), Strings{"defaults.plist"});
  EXPECT_TRUE(saysOnce("could not be saved")) << errors.str();
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  EXPECT_TRUE(store.isSaved());
  EXPECT_EQ(PlistDefaultsStore(file, options).objectForKey("favorites"), stringArrayValue({"/A.app"}));
}

// Changes made while writes are held, nested or not, reach the file in one
// write when the last hold ends; an idle hold writes nothing.
TEST_F(PlistDefaultsStoreTest, HeldChangesReachTheFileInOneWrite) {
  PlistDefaultsStore store(file, options);
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  calls.made.clear();
  {
    auto outer = store.holdWrites();
    {
      auto inner = store.holdWrites();
      store.setObject("directories", stringArrayValue({"/Apps"}));
      store.removeObjectForKey("favorites");
    }
    EXPECT_TRUE(calls.made.empty());
  }
  EXPECT_EQ(std::count(calls.made.begin(), calls.made.end(), "rename"), 1);
  PlistDefaultsStore reread(file, options);
  EXPECT_TRUE(!reread.objectForKey("favorites") && reread.objectForKey("directories") == stringArrayValue({"/Apps"}));
  calls.made.clear();
  { auto idle = store.holdWrites(); }
  EXPECT_TRUE(calls.made.empty());
}

// Whether a new process, forked from this one, acquires the lock; its
// refusal message goes to `messageFile`.
bool anotherProcessAcquires(const std::string& lockPath, const std::string& messageFile) {
  const pid_t child = ::fork();
  if (child == 0) {
    StoreLock lock(lockPath);
    const bool acquired = lock.tryAcquire();
    testing::writeFile(messageFile, acquired ? "" : lock.refusalMessage());
    ::_exit(acquired ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A second process is refused with the holder's process id. The lock ends
// with its owner: a program started by the owner does not inherit it.
TEST(StoreLock, OneProcessHoldsTheLockUntilItEnds) {
  testing::TemporaryDirectory directory;
  const std::string lockPath = directory / "config/wendaro/wendaro.lock";
  auto lock = std::make_unique<StoreLock>(lockPath);
  ASSERT_TRUE(lock->tryAcquire());
  EXPECT_EQ(std::filesystem::status(lockPath).permissions(), std::filesystem::perms(0600));
  EXPECT_FALSE(anotherProcessAcquires(lockPath, directory / "message"));
  EXPECT_EQ(testing::readFile(directory / "message"),
            "wendaro: another copy of wendaro (process " + std::to_string(::getpid()) +
                ") is already running for this user and owns the settings in " + directory.path() +
                "/config/wendaro; this one exits");
  pid_t program = 0;
  char sleepName[] = "sleep";
  char seconds[] = "30";
  char* arguments[] = {sleepName, seconds, nullptr};
  ASSERT_EQ(::posix_spawnp(&program, "sleep", nullptr, nullptr, arguments, environ), 0);
  lock.reset();
  EXPECT_TRUE(anotherProcessAcquires(lockPath, directory / "message"));
  ::kill(program, SIGKILL);
  ::waitpid(program, nullptr, 0);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

std::string plist(const std::string& body) { return "<plist version=\"1.0\">" + body + "</plist>\n"; }
std::string entry(const std::string& element) { return plist("<dict><key>k</key>" + element + "</dict>"); }
std::string repeated(std::string_view text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

// Texts that libplist reads without complaint, but not as written, and texts
// that are no settings at all: each is refused whole. Some would stop the
// program inside libplist: a NUL, and nesting deep enough to overflow the
// stack hidden from a check that reads markup otherwise than libplist does.
TEST(SettingsFile, RefusesEveryTextThatWouldNotBeReadAsWritten) {
  const std::string abyss = repeated("<array>", 200000);
  const std::pair<const char*, std::string> cases[] = {
      {"integer above 64 signed bits", entry("<integer>9223372036854775808</integer>")},
      {"date with a fraction", entry("<date>2001-01-01T00:00:00.5Z</date>")},
      {"the 30th of February", entry("<date>2001-02-30T00:00:00Z</date>")},
      {"the same key twice", plist("<dict><key>a</key><string>x</string><key>a</key><string>y</string></dict>")},
      {"reference to a carriage return", entry("<string>&#13;</string>")},
      {"control character in a string", entry("<string>a\x01</string>")},
      {"nested too deeply", entry(repeated("<array>", 300) + repeated("</array>", 300))},
      {"NUL in a string", entry("<string>a\0b</string>"s)},
      {"depth behind a single quote in a tag", plist("<dict x='><key>k</key>" + abyss + "'>")},
      {"depth behind a quoted end in a processing instruction", plist("<?x \"?><!--\"?>" + abyss + "-->")},
      {"depth behind a quoted bracket in a document type", plist("<!DOCTYPE x [ \"a]\" ]>" + abyss + "<!-- \" -->")},
  };
  for (const auto& [name, text] : cases) {
    Result<Value::Dictionary> read = settingsFromPlistText(text);
    EXPECT_FALSE(read.ok() || read.error().message.empty()) << name;
  }
}

// A desktop program runs under the user's locale; reals must be read and
// written with a point all the same. The locale with a decimal comma is made
// here, since a container may have no locale but C installed.
TEST(SettingsFile, RealsDoNotDependOnTheLocale) {
  testing::TemporaryDirectory directory;
  testing::writeFile(directory / "comma.def", "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\nEND LC_NUMERIC\n");
  const std::string command = "localedef -c -i '" + (directory / "comma.def") + "' -f ANSI_X3.4-1968 '" +
                              (directory / "comma") + "' >/dev/null 2>&1";
  [[maybe_unused]] int status = std::system(command.c_str());
  ::setenv("LOCPATH", directory.path().c_str(), 1);
  locale_t comma = [] {
#if defined(__SANITIZE_ADDRESS__)
    // glibc keeps a copy of $LOCPATH for good once it has used it.
    __lsan::ScopedDisabler glibcKeepsTheLocalePath;
#endif
    return newlocale(LC_NUMERIC_MASK, "comma", locale_t(0));
  }();
  ::unsetenv("LOCPATH");
  ASSERT_NE(comma, locale_t(0)) << "localedef (packages libc-bin and locales) could not make a test locale";
  locale_t previous = uselocale(comma);
  Result<Value::Dictionary> read = settingsFromPlistText(entry("<real>2.5</real>"));
  std::string written = plistTextOfSettings({{"k", Value(0.25)}});
  uselocale(previous);
  freelocale(comma);
  ASSERT_TRUE(read.ok()) << read.error().message;
  EXPECT_EQ(read.value().at("k"), Value(2.5));
  EXPECT_NE(written.find("<real>0.25</real>"), std::string::npos) << written;
}

// Each value comes back from the file exactly; one the file cannot hold
// exactly is refused, says so, and changes neither the store nor the file.
TEST(SettingsFile, EveryValueComesBackExactlyOrIsRefused) {
  Value::Data everyByte;
  for (int v = 0; v < 256; ++v) everyByte.push_back(static_cast<std::uint8_t>(v));
  const std::pair<const char*, Value> shapes[] = {
      {"markup in a string", Value("a<b>&c]]> \"quoted\" 'single'")},
      {"non-ASCII string", Value("Café Ελληνικά 日本 🎹")},
      {"every byte", Value(everyByte)},
      {"largest integer", Value(std::numeric_limits<std::int64_t>::max())},
      {"smallest subnormal real", Value(-std::numeric_limits<double>::denorm_min())},
      {"minus infinity", Value(-std::numeric_limits<double>::infinity())},
      {"last date", Value(Date{2147483647})},
      {"nested", Value(Value::Array{Value(Value::Dictionary{{"", Value("")}, {"<&> ключ", Value(Value::Array{})}})})},
  };
  Value deep("bottom");
  for (int level = 0; level < 300; ++level) deep = Value(Value::Array{deep});
  const std::pair<std::string, Value> refused[] = {
      {"carriage return", Value("line\r\n")},
      {"NUL inside a string", Value(std::string("a\0b", 3))},
      {"bad string deep inside", Value(Value::Array{Value(Value::Dictionary{{"x", Value("\x01")}})})},
      {"control character in a key\x01", Value("v")},
      {"negative zero", Value(-0.0)},
      {"date after 2069", Value(Date{3e9})},
      {"nested too deeply", deep},
  };
  testing::TemporaryDirectory directory;
  const std::string file = directory / "wendaro/defaults.plist";
  std::ostringstream errors;
  PlistDefaultsStore store(file, {.errors = &errors});
  for (const auto& [name, value] : shapes) store.setObject(name, value);
  store.setObject("nan", Value(kNaN));
  const auto fileBefore = testing::readFile(file);
  EXPECT_EQ(errors.str(), "");
  for (const auto& [name, value] : refused) {
    errors.str("");
    store.setObject(name, value);
    EXPECT_FALSE(store.objectForKey(name)) << name;
    EXPECT_NE(errors.str().find("was not changed"), std::string::npos) << name << ": " << errors.str();
  }
  store.setObject("every byte", Value("\x01"));
  EXPECT_EQ(testing::readFile(file), fileBefore);
  PlistDefaultsStore reread(file, {.errors = &errors});
  for (const auto& [name, value] : shapes) EXPECT_EQ(reread.objectForKey(name), value) << name;
  auto nan = reread.objectForKey("nan");
  EXPECT_TRUE(nan && nan->isReal() && std::isnan(nan->real()));
}

}  // namespace
}  // namespace wendaro
