#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>

#include "desktop/store/plist_defaults_store.h"
#include "faulty_file_calls.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using namespace std::string_literals;
using testing::FaultyFileCalls;
using testing::TemporaryDirectory;

// 2026-12-06 10:15:00 UTC
constexpr std::time_t kNow = 1796552100;

class PlistDefaultsStoreTest : public ::testing::Test {
 protected:
  TemporaryDirectory directory;
  std::string settingsDirectory = directory / "wendaro";
  std::string file = settingsDirectory + "/defaults.plist";
  std::ostringstream errors;
  PlistStoreOptions options{.errors = &errors, .now = [] { return kNow; }};

  void writeSettingsFile(const std::string& text) {
    std::filesystem::create_directories(settingsDirectory);
    testing::writeFile(file, text);
  }
};

TEST_F(PlistDefaultsStoreTest, AMissingFileIsAnEmptyStoreAndNothingIsWrittenUntilAChange) {
  PlistDefaultsStore store(file, options);
  EXPECT_FALSE(store.objectForKey("favorites"));
  EXPECT_FALSE(store.boolForKey("launchAtStartup"));
  EXPECT_FALSE(std::filesystem::exists(settingsDirectory));
  store.setBool("launchAtStartup", true);
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_EQ(testing::permissionsOf(settingsDirectory), 0700u);
  EXPECT_EQ(testing::permissionsOf(file), 0600u);
  EXPECT_EQ(errors.str(), "");
}

TEST_F(PlistDefaultsStoreTest, EveryChangeIsInTheFileAtOnce) {
  PlistDefaultsStore store(file, options);
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  store.setObject("categories", stringArrayValue({"Work"}));
  EXPECT_EQ(PlistDefaultsStore(file, options).objectForKey("favorites"), stringArrayValue({"/A.app"}));
  store.removeObjectForKey("favorites");
  PlistDefaultsStore reread(file, options);
  EXPECT_FALSE(reread.objectForKey("favorites"));
  EXPECT_EQ(reread.objectForKey("categories"), stringArrayValue({"Work"}));
}

struct Unreadable {
  const char* name;
  std::string text;
};

TEST_F(PlistDefaultsStoreTest, AnUnusableFileIsMovedAsideAndTheStoreStartsEmpty) {
  const std::vector<Unreadable> cases = {
      {"torn file", "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>favorites</key><arr"},
      {"empty file", ""},
      // libplist would stop the program on this one.
      {"NUL in a string", "<plist><dict><key>favorites</key><array><string>/A\0.app</string></array></dict></plist>"s},
  };
  for (const Unreadable& unreadable : cases) {
    SCOPED_TRACE(unreadable.name);
    std::filesystem::remove_all(settingsDirectory);
    errors.str("");
    writeSettingsFile(unreadable.text);

    PlistDefaultsStore store(file, options);
    const std::string aside = file + ".corrupt-20261206T101500Z";
    EXPECT_EQ(store.setAsidePath(), aside);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(testing::readFile(aside), unreadable.text);
    EXPECT_FALSE(store.objectForKey("favorites"));
    // One line that names both files.
    std::string message = errors.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find(file + " cannot be used"), std::string::npos) << message;
    EXPECT_NE(message.find("moved to " + aside), std::string::npos) << message;

    store.setObject("favorites", stringArrayValue({"/A.app"}));
    EXPECT_TRUE(store.isSaved());
    EXPECT_EQ(testing::readFile(aside), unreadable.text) << "the file set aside is kept as it was";
  }
}

TEST_F(PlistDefaultsStoreTest, AFileSetAsideEarlierIsNeverOverwritten) {
  writeSettingsFile("first broken file");
  PlistDefaultsStore first(file, options);
  writeSettingsFile("second broken file");
  PlistDefaultsStore second(file, options);
  EXPECT_EQ(testing::readFile(file + ".corrupt-20261206T101500Z"), "first broken file");
  EXPECT_EQ(second.setAsidePath(), file + ".corrupt-20261206T101500Z-2");
  EXPECT_EQ(testing::readFile(file + ".corrupt-20261206T101500Z-2"), "second broken file");
}

// A FIFO must not hang the start waiting for a writer.
TEST_F(PlistDefaultsStoreTest, SomethingOtherThanAFileInItsPlaceIsMovedAsideToo) {
  const struct {
    const char* name;
    std::function<void()> make;
    std::filesystem::file_type type;
  } cases[] = {
      {"directory", [&] { std::filesystem::create_directories(file); }, std::filesystem::file_type::directory},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0); }, std::filesystem::file_type::fifo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(settingsDirectory);
    std::filesystem::create_directories(settingsDirectory);
    c.make();
    PlistDefaultsStore store(file, options);
    ASSERT_TRUE(store.setAsidePath());
    EXPECT_EQ(std::filesystem::symlink_status(*store.setAsidePath()).type(), c.type);
    store.setBool("launchAtStartup", true);
    EXPECT_TRUE(PlistDefaultsStore(file, options).boolForKey("launchAtStartup"));
  }
}

TEST_F(PlistDefaultsStoreTest, AnUnusableFileThatCannotBeMovedIsNeverWrittenOver) {
  writeSettingsFile("broken");
  FaultyFileCalls calls(FaultyFileCalls::Fault::StopsThere, 1);
  options.fileCalls = &calls;
  PlistDefaultsStore store(file, options);
  EXPECT_FALSE(store.setAsidePath());
  EXPECT_NE(errors.str().find("cannot be moved aside"), std::string::npos) << errors.str();
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  EXPECT_EQ(store.objectForKey("favorites"), stringArrayValue({"/A.app"})) << "kept for this session";
  EXPECT_FALSE(store.isSaved());
  EXPECT_EQ(testing::readFile(file), "broken");
  EXPECT_EQ(std::vector<std::string>{"renameWithoutReplacing"}, calls.made) << "no write was tried";
}

TEST_F(PlistDefaultsStoreTest, AFailedWriteKeepsTheValueAndTheOldFileAndSaysSoOnce) {
  PlistDefaultsStore reference(file, options);
  reference.setObject("favorites", stringArrayValue({"/Old.app"}));
  const auto oldFile = testing::readFile(file);

  FaultyFileCalls calls(FaultyFileCalls::Fault::StopsThere, 1);
  options.fileCalls = &calls;
  PlistDefaultsStore store(file, options);
  store.setObject("favorites", stringArrayValue({"/New.app"}));

  EXPECT_EQ(store.objectForKey("favorites"), stringArrayValue({"/New.app"}));
  EXPECT_FALSE(store.isSaved());
  EXPECT_EQ(testing::readFile(file), oldFile);
  std::string message = errors.str();
  EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
  EXPECT_NE(message.find("could not be saved"), std::string::npos) << message;
  EXPECT_EQ(testing::namesIn(settingsDirectory), std::vector<std::string>{"defaults.plist"});
}

// A store reopened on a file that holds favorites, with its file calls and
// its change notices counted.
class ReopenedStoreTest : public PlistDefaultsStoreTest {
 protected:
  void SetUp() override {
    PlistDefaultsStore(file, options).setObject("favorites", stringArrayValue({"/A.app"}));
    options.fileCalls = &calls;
    reopenedStore = std::make_unique<PlistDefaultsStore>(file, options);
    reopenedStore->addChangeListener([this](const std::string&) { ++heard; });
  }

  FaultyFileCalls calls;
  int heard = 0;
  std::unique_ptr<PlistDefaultsStore> reopenedStore;
};

TEST_F(ReopenedStoreTest, SettingTheSavedValueAgainWritesNothing) {
  PlistDefaultsStore& reopened = *reopenedStore;
  reopened.setObject("favorites", stringArrayValue({"/A.app"}));
  EXPECT_TRUE(calls.made.empty());
  EXPECT_EQ(heard, 0);
  reopened.setObject("favorites", stringArrayValue({"/B.app"}));
  EXPECT_FALSE(calls.made.empty());
  EXPECT_EQ(heard, 1);
}

TEST_F(ReopenedStoreTest, ChangesMadeWhileWritesAreHeldReachTheFileInOneWriteWhenTheHoldEnds) {
  PlistDefaultsStore& reopened = *reopenedStore;
  {
    auto outer = reopened.holdWrites();
    {
      auto inner = reopened.holdWrites();
      reopened.setObject("directories", stringArrayValue({"/Applications"}));
      reopened.setObject("directories", stringArrayValue({"/Applications"}));  // no change: no notice
      reopened.setObject("favorites", stringArrayValue({"/B.app"}));
      reopened.removeObjectForKey("favorites");
    }
    reopened.setObject("categories", stringArrayValue({}));
    EXPECT_EQ(reopened.objectForKey("directories"), stringArrayValue({"/Applications"}));
    EXPECT_EQ(heard, 4);
    EXPECT_FALSE(reopened.isSaved());
    EXPECT_TRUE(calls.made.empty());
    EXPECT_EQ(PlistDefaultsStore(file, {.errors = &errors}).objectForKey("favorites"), stringArrayValue({"/A.app"}));
  }
  EXPECT_TRUE(reopened.isSaved());
  EXPECT_EQ(std::count(calls.made.begin(), calls.made.end(), "rename"), 1);
  PlistDefaultsStore reread(file, options);
  EXPECT_FALSE(reread.objectForKey("favorites"));
  EXPECT_EQ(reread.objectForKey("directories"), stringArrayValue({"/Applications"}));
  EXPECT_EQ(reread.objectForKey("categories"), stringArrayValue({}));

  // A hold in which nothing changed writes nothing.
  calls.made.clear();
  { auto idle = reread.holdWrites(); }
  EXPECT_TRUE(calls.made.empty());
  EXPECT_EQ(errors.str(), "");
}

// While the file lags behind, the next write saves everything, even when it
// sets the value the failed write set.
TEST_F(PlistDefaultsStoreTest, TheNextWriteSavesWhatAFailedOneCouldNot) {
  FaultyFileCalls failOnce("sync");
  options.fileCalls = &failOnce;
  PlistDefaultsStore store(file, options);
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  ASSERT_FALSE(store.isSaved());
  store.setObject("favorites", stringArrayValue({"/A.app"}));
  EXPECT_TRUE(store.isSaved());
  store.setObject("menubar", stringArrayValue({"/B.app"}));
  PlistDefaultsStore reread(file, options);
  EXPECT_EQ(reread.objectForKey("favorites"), stringArrayValue({"/A.app"}));
  EXPECT_EQ(reread.objectForKey("menubar"), stringArrayValue({"/B.app"}));
}

TEST_F(PlistDefaultsStoreTest, ListenersHearEveryChangeOfThisProcess) {
  PlistDefaultsStore store(file, options);
  std::vector<std::string> heard;
  auto id = store.addChangeListener([&](const std::string& key) { heard.push_back(key); });
  store.setObject("WendaroMenu", Value(Value::Dictionary{{"keyCode", Value(40)}}));
  store.removeObjectForKey("WendaroMenu");
  store.removeObjectForKey("never stored");
  store.setObject("refused", Value("\x01"));
  store.removeChangeListener(id);
  store.setBool("launchAtStartup", true);
  EXPECT_EQ(heard, (std::vector<std::string>{"WendaroMenu", "WendaroMenu"}));
}

TEST_F(PlistDefaultsStoreTest, AListenerSeesTheNewValueAndMayChangeTheStore) {
  PlistDefaultsStore store(file, options);
  std::vector<std::string> heard;
  store.addChangeListener([&](const std::string& key) {
    heard.push_back(key + "=" + (store.objectForKey(key) ? "set" : "gone"));
    if (key == "ash1") store.removeObjectForKey("ash1");
  });
  store.setObject("ash1", Value("shortcut"));
  EXPECT_EQ(heard, (std::vector<std::string>{"ash1=set", "ash1=gone"}));
  EXPECT_FALSE(PlistDefaultsStore(file, options).objectForKey("ash1"));
}

}  // namespace
}  // namespace wendaro
