// The running program's session: what it leaves behind when it ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>

#include <sys/inotify.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "desktop/qt/desktop_session.h"
#include "desktop/store/config_paths.h"
#include "settings/defaults_keys.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

// The open in-place editor whose text is `text`, if there is one.
QLineEdit* editorHolding(const QString& text) {
  for (QWidget* widget : QApplication::allWidgets()) {
    auto* editor = qobject_cast<QLineEdit*>(widget);
    if (editor && editor->isVisible() && editor->text() == text) return editor;
  }
  return nullptr;
}

// Each test has a config home of its own.
class DesktopSessionTest : public ::testing::Test {
 protected:
  DesktopSessionTest() {
    if (const char* previous = std::getenv("XDG_CONFIG_HOME")) previous_ = previous;
    ::setenv("XDG_CONFIG_HOME", config_.path().c_str(), 1);
  }
  ~DesktopSessionTest() override {
    if (previous_) {
      ::setenv("XDG_CONFIG_HOME", previous_->c_str(), 1);
    } else {
      ::unsetenv("XDG_CONFIG_HOME");
    }
  }
  static std::unique_ptr<DesktopSession> session(bool showsTray = false) {
    std::string refusal;
    auto claim = DesktopSession::claimSettings(refusal);
    EXPECT_TRUE(claim) << refusal;
    if (!claim) return nullptr;
    return std::make_unique<DesktopSession>(
        std::move(claim), DesktopSession::Options{.showsTray = showsTray, .executablePath = "/usr/bin/wendaro"});
  }

 private:
  testing::TemporaryDirectory config_;
  std::optional<std::string> previous_;
};

TEST_F(DesktopSessionTest, QuittingWhileANameIsTypedKeepsTheName) {
  {
    auto started = session();
    ASSERT_TRUE(started);
    started->finishLaunching();
    started->app().showCategoriesWindow();
    started->app().addCategory();
    QLineEdit* editor = editorHolding("New Category");
    ASSERT_NE(editor, nullptr);
    editor->setText("Work");
  }
  EXPECT_EQ(PlistDefaultsStore(settingsFilePath()).objectForKey("categories"), stringArrayValue({"Work"}));
}

// A first start saves several settings; the file is written once, whole.
TEST_F(DesktopSessionTest, StartUpWritesTheSettingsFileOnce) {
  const std::string folder = settingsFilePath().substr(0, settingsFilePath().rfind('/'));
  std::filesystem::create_directories(folder);
  const int watch = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  ASSERT_GE(watch, 0);
  // Every write of the file makes a temporary file of its own first.
  ASSERT_GE(::inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
  auto started = session();
  ASSERT_TRUE(started);
  started->finishLaunching();

  int writes = 0;
  alignas(inotify_event) char events[4096];
  for (ssize_t size; (size = ::read(watch, events, sizeof events)) > 0;) {
    for (char* at = events; at < events + size;) {
      const auto* event = reinterpret_cast<const inotify_event*>(at);
      if (event->len > 0 && std::string_view(event->name).starts_with(".defaults.plist.")) ++writes;
      at += sizeof(inotify_event) + event->len;
    }
  }
  ::close(watch);
  EXPECT_EQ(writes, 1);
  PlistDefaultsStore written(settingsFilePath());
  for (const char* key : {keys::kCategories, keys::kCategoriesApps, keys::kFavorites, keys::kMenubar}) {
    EXPECT_TRUE(written.objectForKey(key)) << key;
  }
}

// The running program watches its directories: an app that comes or goes
// reaches All Apps within two seconds.
TEST_F(DesktopSessionTest, AnAppAddedOrRemovedReachesTheMenusWhileTheProgramRuns) {
  testing::TemporaryDirectory apps;
  std::filesystem::create_directories(apps / "Old.app");
  PlistDefaultsStore(settingsFilePath()).setObject(keys::kDirectories, stringArrayValue({apps.path()}));
  auto started = session(true);
  ASSERT_TRUE(started);
  started->finishLaunching();
  AppDelegate& app = started->app();
  auto allApps = [&app] {
    std::vector<std::string> titles;
    for (const auto& item : app.allAppsMenu->items()) titles.push_back(item->title());
    return titles;
  };
  auto within = [](const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 2000) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
  };
  ASSERT_EQ(allApps(), std::vector<std::string>{"Old"});

  std::filesystem::create_directories(apps / "New.app");
  EXPECT_TRUE(within([&] { return allApps() == std::vector<std::string>{"New", "Old"}; }));
  std::filesystem::remove(apps / "Old.app");
  EXPECT_TRUE(within([&] { return allApps() == std::vector<std::string>{"New"}; }));
}

}  // namespace
}  // namespace wendaro
