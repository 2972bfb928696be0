#include <QDateTime>
#include <QMessageBox>

#include <cstdio>

#include <gtest/gtest.h>

#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/qt_events.h"
#include "desktop/qt/qt_system_services.h"
#include "desktop/qt/qt_updater.h"

namespace wendaro {
namespace {

TEST(KeyEquivalentTest, KeyAndModifierMaskBecomeAKeySequence) {
  const struct {
    const char* key;
    ModifierFlags mask;
    const char* shown;
  } cases[] = {
      {"K", kControlKeyMask | kOptionKeyMask, "Ctrl+Alt+K"},
      {"k", kOptionKeyMask, ""},
      {"F5", 0, "F5"},
      {"Space", kShiftKeyMask | kCommandKeyMask, "Meta+Shift+Space"},
      {"", kControlKeyMask, ""},
      {"NoSuchKey", kControlKeyMask, ""},
      {"A,B", 0, ""},
  };
  for (const auto& entry : cases) {
    EXPECT_EQ(keySequenceForKeyEquivalent(entry.key, entry.mask).toString(QKeySequence::PortableText), entry.shown)
        << entry.key;
  }
}

TEST(EventsTest, ModifierKeysAreReadAtTheQueryAndMappedToFlags) {
  Qt::KeyboardModifiers held = Qt::NoModifier;
  QtEvents events([&] { return held; });
  EXPECT_EQ(events.modifierFlags(), 0u);
  held = Qt::AltModifier;
  EXPECT_EQ(events.modifierFlags(), kOptionKeyMask);
  held = Qt::AltModifier | Qt::ShiftModifier;
  EXPECT_EQ(events.modifierFlags(), kOptionKeyMask | kShiftKeyMask);
  held = Qt::ControlModifier | Qt::MetaModifier | Qt::KeypadModifier;
  EXPECT_EQ(events.modifierFlags(), kControlKeyMask | kCommandKeyMask);
}

TEST(SystemServicesTest, TheClockCountsFromTheFirstOf2001) {
  const double expected = QDateTime::currentDateTimeUtc().toMSecsSinceEpoch() / 1000.0 -
                          QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch() / 1000.0;
  EXPECT_NEAR(SystemClock().timeIntervalSinceReferenceDate(), expected, 5.0);
}

TEST(SystemServicesTest, SystemVersionsAreReadLeniently) {
  const struct {
    const char* text;
    OperatingSystemVersion version;
  } cases[] = {{"12", {12, 0, 0}},        {"22.04", {22, 4, 0}},  {"10.14.6", {10, 14, 6}},
               {"6.1.0-13-amd64", {6, 1, 0}}, {"rolling", {0, 0, 0}}, {"", {0, 0, 0}}};
  for (const auto& entry : cases) {
    const auto version = parseOperatingSystemVersion(entry.text);
    EXPECT_EQ(version.majorVersion, entry.version.majorVersion) << entry.text;
    EXPECT_EQ(version.minorVersion, entry.version.minorVersion) << entry.text;
    EXPECT_EQ(version.patchVersion, entry.version.patchVersion) << entry.text;
  }
}

std::string contents(std::FILE* stream) {
  std::rewind(stream);
  std::string text;
  for (int c; (c = std::fgetc(stream)) != EOF;) text.push_back(char(c));
  return text;
}

TEST(SystemServicesTest, LinesAreWrittenWhole) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  StreamOutput(stream).writeLine("Changing login item status failed.");
  EXPECT_EQ(contents(stream), "Changing login item status failed.\n");
  std::fclose(stream);
}

TEST(UpdaterTest, CheckingShowsTheRunningVersionAndTheSilentCheckNothing) {
  QtUpdater updater("2.0.0");
  updater.checkForUpdatesInBackground();
  EXPECT_EQ(updater.dialog(), nullptr);
  updater.checkForUpdates();
  QMessageBox* dialog = updater.dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_TRUE(dialog->text().contains("Wendaro 2.0.0"));
  EXPECT_TRUE(dialog->text().contains("package manager"));
  updater.checkForUpdates();
  EXPECT_EQ(updater.dialog(), dialog) << "one dialog, raised again";
}

}  // namespace
}  // namespace wendaro
