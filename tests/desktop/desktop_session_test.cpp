// The running program's session: what it leaves behind when it ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>

#include <cstdlib>

#include "desktop/qt/desktop_session.h"
#include "desktop/store/config_paths.h"
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

TEST(DesktopSessionTest, QuittingWhileANameIsTypedKeepsTheName) {
  testing::TemporaryDirectory config;
  const char* previous = std::getenv("XDG_CONFIG_HOME");
  const std::string restore = previous ? previous : "";
  ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
  {
    std::string refusal;
    auto claim = DesktopSession::claimSettings(refusal);
    ASSERT_TRUE(claim) << refusal;
    DesktopSession session(std::move(claim), {.showsTray = false, .executablePath = "/usr/bin/wendaro"});
    session.finishLaunching();
    session.app().showCategoriesWindow();
    session.app().addCategory();
    QLineEdit* editor = editorHolding("New Category");
    ASSERT_NE(editor, nullptr);
    editor->setText("Work");
  }
  EXPECT_EQ(PlistDefaultsStore(settingsFilePath()).objectForKey("categories"), stringArrayValue({"Work"}));
  if (previous) {
    ::setenv("XDG_CONFIG_HOME", restore.c_str(), 1);
  } else {
    ::unsetenv("XDG_CONFIG_HOME");
  }
}

}  // namespace
}  // namespace wendaro
