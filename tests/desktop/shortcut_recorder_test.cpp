#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/qt/windows/shortcut_recorder_edit.h"
#include "fake/call_log.h"
#include "fake/fake_services.h"
#include "windows_fixture.h"

namespace wendaro {
namespace {

struct Press {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  KeyPressVerdict verdict;
};

TEST(KeyPressVerdictTest, AShortcutNeedsCtrlAltOrMetaUnlessItIsAFunctionKey) {
  const Press presses[] = {
      {Qt::Key_K, Qt::ControlModifier, KeyPressVerdict::Record},
      {Qt::Key_K, Qt::AltModifier | Qt::ShiftModifier, KeyPressVerdict::Record},
      {Qt::Key_K, Qt::MetaModifier, KeyPressVerdict::Record},
      {Qt::Key_Tab, Qt::ControlModifier, KeyPressVerdict::Record},
      {Qt::Key_Backspace, Qt::ControlModifier, KeyPressVerdict::Record},
      {Qt::Key_F5, Qt::NoModifier, KeyPressVerdict::Record},
      {Qt::Key_F12, Qt::ShiftModifier, KeyPressVerdict::Record},
      {Qt::Key_K, Qt::NoModifier, KeyPressVerdict::Refuse},
      {Qt::Key_K, Qt::ShiftModifier, KeyPressVerdict::Refuse},
      {Qt::Key_5, Qt::KeypadModifier, KeyPressVerdict::Refuse},
      {Qt::Key_Space, Qt::NoModifier, KeyPressVerdict::Refuse},
      {Qt::Key_Escape, Qt::ShiftModifier, KeyPressVerdict::Refuse},
      {Qt::Key_Control, Qt::ControlModifier, KeyPressVerdict::Ignore},
      {Qt::Key_Shift, Qt::ShiftModifier, KeyPressVerdict::Ignore},
      {Qt::Key_Alt, Qt::AltModifier | Qt::ControlModifier, KeyPressVerdict::Ignore},
      {Qt::Key_Super_L, Qt::MetaModifier, KeyPressVerdict::Ignore},
      {Qt::Key_unknown, Qt::ControlModifier, KeyPressVerdict::Ignore},
      {Qt::Key_Tab, Qt::NoModifier, KeyPressVerdict::PassOn},
      {Qt::Key_Backtab, Qt::ShiftModifier, KeyPressVerdict::PassOn},
      {Qt::Key_Escape, Qt::NoModifier, KeyPressVerdict::PassOn},
      {Qt::Key_Backspace, Qt::NoModifier, KeyPressVerdict::Clear},
      {Qt::Key_Delete, Qt::NoModifier, KeyPressVerdict::Clear},
  };
  for (const auto& press : presses) {
    SCOPED_TRACE(QKeySequence(QKeyCombination(press.modifiers, press.key)).toString().toStdString());
    EXPECT_EQ(judgeKeyPress(press.key, press.modifiers), press.verdict);
  }
}

TEST(KeyPressVerdictTest, TheKeypadFlagIsNotPartOfTheShortcut) {
  EXPECT_EQ(QKeySequence(recordedCombination(Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier)),
            QKeySequence("Ctrl+5"));
}

class ShortcutRecorderTest : public ::testing::Test {
 protected:
  std::optional<std::string> stored(const std::string& key) const {
    auto value = store.values.find(key);
    if (value == store.values.end()) return std::nullopt;
    return value->second.isString() ? value->second.string() : "<not a string>";
  }
  QKeySequenceEdit& recorder() { return view.recorder(); }

  fake::CallLog log;
  fake::FakeDefaultsStore store{log};
  QtShortcutView view{store};
};

TEST_F(ShortcutRecorderTest, ARecordedShortcutIsStoredAtOnceAsPortableText) {
  view.setAssociatedUserDefaultsKey("ash1");
  QTest::keyClick(&recorder(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(stored("ash1"), "Ctrl+Alt+K");
  EXPECT_EQ(recorder().keySequence(), QKeySequence("Ctrl+Alt+K"));
  EXPECT_EQ(view.shortcutValue(), (Shortcut{"K", kControlKeyMask | kOptionKeyMask}));

  // A second combination replaces the first: one combination only.
  QTest::keyClick(&recorder(), Qt::Key_F5, Qt::MetaModifier);
  EXPECT_EQ(stored("ash1"), "Meta+F5");
  EXPECT_EQ(recorder().keySequence().count(), 1);
}

TEST_F(ShortcutRecorderTest, BareKeysAndLoneModifiersChangeNothing) {
  store.values["ash1"] = Value("Ctrl+Alt+K");
  view.setAssociatedUserDefaultsKey("ash1");
  log.clear();
  QTest::keyClick(&recorder(), Qt::Key_K);
  QTest::keyClick(&recorder(), Qt::Key_K, Qt::ShiftModifier);
  QTest::keyPress(&recorder(), Qt::Key_Control, Qt::ControlModifier);
  QTest::keyRelease(&recorder(), Qt::Key_Control, Qt::NoModifier);
  EXPECT_EQ(stored("ash1"), "Ctrl+Alt+K");
  EXPECT_TRUE(log.matching("defaults.setObject").empty());
  EXPECT_TRUE(log.matching("defaults.removeObjectForKey").empty());
  EXPECT_EQ(recorder().keySequence(), QKeySequence("Ctrl+Alt+K"));
}

TEST_F(ShortcutRecorderTest, TheClearButtonAndBackspaceRemoveTheStoredShortcut) {
  store.values["csh2"] = Value("Ctrl+J");
  view.setAssociatedUserDefaultsKey("csh2");
  ASSERT_TRUE(view.clearButton().isEnabled());
  QTest::mouseClick(&view.clearButton(), Qt::LeftButton);
  EXPECT_EQ(stored("csh2"), std::nullopt);
  EXPECT_TRUE(recorder().keySequence().isEmpty());
  EXPECT_FALSE(view.clearButton().isEnabled());
  EXPECT_EQ(view.shortcutValue(), std::nullopt);

  store.values["csh2"] = Value("Ctrl+J");
  view.setAssociatedUserDefaultsKey("csh2");
  QTest::keyClick(&recorder(), Qt::Key_Backspace);
  EXPECT_EQ(stored("csh2"), std::nullopt);
}

TEST_F(ShortcutRecorderTest, ShowsTheShortcutOfItsKeyWhenAssociatedAndWhenShown) {
  store.values["ash1"] = Value("Meta+Shift+F3");
  store.values["ash2"] = Value("not a shortcut");
  view.setAssociatedUserDefaultsKey("ash1");
  EXPECT_EQ(recorder().keySequence(), QKeySequence("Meta+Shift+F3"));
  view.setAssociatedUserDefaultsKey("ash2");
  EXPECT_TRUE(recorder().keySequence().isEmpty());
  EXPECT_EQ(view.shortcutValue(), std::nullopt);

  // The store changed while the recorder was hidden (a menu build dropped an
  // unused shortcut); showing it shows the store.
  view.setAssociatedUserDefaultsKey("ash1");
  store.values.erase("ash1");
  view.show();
  EXPECT_TRUE(recorder().keySequence().isEmpty());
}

TEST_F(ShortcutRecorderTest, WithoutAKeyNothingIsRecorded) {
  EXPECT_FALSE(view.isEnabled());
  emit view.recorder().recorded(QKeyCombination(Qt::ControlModifier, Qt::Key_K));
  emit view.recorder().clearRequested();
  EXPECT_TRUE(log.matching("defaults.setObject").empty());
  EXPECT_TRUE(log.matching("defaults.removeObjectForKey").empty());
}

// Conflicts as the binder keeps them, set by hand.
class HeldElsewhere : public ShortcutConflicts {
 public:
  bool isTakenByAnotherProgram(const std::string& key) const override { return taken.count(key) > 0; }
  bool isTakenByAnotherKey(const std::string& key) const override { return behindAnother.count(key) > 0; }
  std::optional<DesktopTrigger> desktopTrigger(const std::string& key) const override {
    auto found = triggers.find(key);
    return found == triggers.end() ? std::nullopt : std::optional(found->second);
  }
  bool offersGlobalShortcuts() const override { return offers; }
  void setConflictListener(Listener given) override { listener = std::move(given); }
  void setRecording(bool on) override { recording.push_back(on); }
  void take(const std::string& key) {
    taken.insert(key);
    if (listener) listener(key);
  }
  std::set<std::string> taken;
  std::set<std::string> behindAnother;
  std::map<std::string, DesktopTrigger> triggers;
  bool offers = true;
  Listener listener;
  std::vector<bool> recording;
};

TEST_F(ShortcutRecorderTest, AShortcutAnotherEntryHasIsRefusedAndTheViewSaysWhichHasIt) {
  std::vector<std::string> asked;
  view.setShortcutOwner([&asked](const std::string& key, const Shortcut& shortcut) -> std::optional<std::string> {
    asked.push_back(key);
    if (shortcut == Shortcut{"M", kControlKeyMask | kOptionKeyMask}) return "Mail";
    return std::nullopt;
  });
  QLabel& said = view.inUseLabel();
  store.values["csh2"] = Value("Ctrl+J");
  view.setAssociatedUserDefaultsKey("csh2");
  QTest::keyClick(&recorder(), Qt::Key_M, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(asked, std::vector<std::string>{"csh2"});
  EXPECT_EQ(stored("csh2"), "Ctrl+J");
  EXPECT_EQ(recorder().keySequence(), QKeySequence("Ctrl+J")) << "the recorder shows what is stored";
  EXPECT_TRUE(said.isVisibleTo(&view));
  EXPECT_EQ(said.text(), "Already used by Mail.");

  QTest::keyClick(&recorder(), Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(stored("csh2"), "Ctrl+Alt+K");
  EXPECT_FALSE(said.isVisibleTo(&view));

  // Stored so by hand, under a key that comes after Mail's: Mail has it.
  store.values["csh3"] = Value("Ctrl+Alt+M");
  HeldElsewhere conflicts;
  conflicts.behindAnother = {"csh3"};
  view.setConflicts(&conflicts);
  view.setAssociatedUserDefaultsKey("csh3");
  EXPECT_TRUE(said.isVisibleTo(&view));
  EXPECT_EQ(said.text(), "Already used by Mail.");
  view.setConflicts(nullptr);
}

TEST_F(ShortcutRecorderTest, SaysWhenAnotherProgramHoldsTheShortcut) {
  HeldElsewhere conflicts;
  QLabel& said = view.conflictLabel();
  store.values["ash1"] = Value("Ctrl+Alt+K");
  store.values["ash2"] = Value("Ctrl+Alt+J");
  conflicts.taken = {"ash1"};
  view.setAssociatedUserDefaultsKey("ash1");
  EXPECT_FALSE(said.isVisibleTo(&view)) << "nothing to say before the view knows the conflicts";
  view.setConflicts(&conflicts);
  EXPECT_TRUE(said.isVisibleTo(&view));

  view.setAssociatedUserDefaultsKey("ash2");
  EXPECT_FALSE(said.isVisibleTo(&view));
  conflicts.take("ash2");  // the binder found out while the editor is open
  EXPECT_TRUE(said.isVisibleTo(&view));
  QTest::mouseClick(&view.clearButton(), Qt::LeftButton);
  EXPECT_FALSE(said.isVisibleTo(&view)) << "a cleared shortcut conflicts with nothing";

  view.setConflicts(nullptr);
  EXPECT_FALSE(conflicts.listener);
}

// Where the desktop chooses the keys (its portal), the editor says what it
// chose, and where nothing can have global shortcuts, what to do instead.
TEST_F(ShortcutRecorderTest, SaysWhatTheDesktopMakesOfTheShortcut) {
  using State = DesktopTrigger::State;
  struct Case {
    std::optional<DesktopTrigger> trigger;
    bool offers;
    bool stored;
    std::string note;  // a part of it; empty for no note
  };
  const Case cases[] = {
      {DesktopTrigger{State::Assigned, "Ctrl+Alt+K"}, true, true, "The desktop starts this with Ctrl+Alt+K."},
      {DesktopTrigger{State::Unassigned, ""}, true, true, "has given this shortcut no keys"},
      {DesktopTrigger{State::Refused, ""}, true, true, "refused"},
      {DesktopTrigger{State::Pending, ""}, true, true, ""},
      {std::nullopt, true, true, ""},
      {std::nullopt, false, false, "wendaro --open-menu"},
      {DesktopTrigger{State::Assigned, "Ctrl+Alt+K"}, true, false, ""},
  };
  HeldElsewhere conflicts;
  view.setConflicts(&conflicts);
  QLabel& said = view.conflictLabel();
  for (const Case& c : cases) {
    conflicts.triggers.clear();
    if (c.trigger) conflicts.triggers["ash1"] = *c.trigger;
    conflicts.offers = c.offers;
    if (c.stored) {
      store.values["ash1"] = Value("Ctrl+Alt+K");
    } else {
      store.values.erase("ash1");
    }
    view.setAssociatedUserDefaultsKey("ash1");
    SCOPED_TRACE(c.note);
    EXPECT_EQ(said.isVisibleTo(&view), !c.note.empty());
    if (!c.note.empty()) {
      EXPECT_TRUE(said.text().contains(QString::fromStdString(c.note))) << said.text().toStdString();
    }
  }
  view.setConflicts(nullptr);
}

// Shortcuts let go of the keyboard while the recorder has the focus, and
// take it back when the focus leaves or the view goes.
TEST_F(ShortcutRecorderTest, TheShortcutsPauseWhileTheRecorderHasTheFocus) {
  auto conflicts = std::make_unique<HeldElsewhere>();
  view.setConflicts(conflicts.get());
  view.setAssociatedUserDefaultsKey("ash1");
  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason);
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QCoreApplication::sendEvent(&recorder(), &in);
  EXPECT_EQ(conflicts->recording, std::vector<bool>{true});
  QCoreApplication::sendEvent(&recorder(), &out);
  EXPECT_EQ(conflicts->recording, (std::vector<bool>{true, false}));

  QCoreApplication::sendEvent(&recorder(), &in);
  HeldElsewhere other;
  view.setConflicts(&other);
  EXPECT_EQ(conflicts->recording, (std::vector<bool>{true, false, true, false}));
  EXPECT_EQ(other.recording, std::vector<bool>{true}) << "the new ones pause as the focus is still there";
  {
    QtShortcutView passing{store};
    passing.setConflicts(conflicts.get());
    QCoreApplication::sendEvent(&passing.recorder(), &in);
  }
  EXPECT_EQ(conflicts->recording.back(), false) << "a view that goes while recording ends it";
  view.setConflicts(nullptr);
  EXPECT_EQ(other.recording, (std::vector<bool>{true, false}));
}

TEST(ShortcutReaderTest, ReadersReadTheStoreWithoutAWidget) {
  fake::CallLog log;
  fake::FakeDefaultsStore store{log};
  store.values["ash1"] = Value("Ctrl+Shift+Space");
  store.values["ash2"] = Value(std::int64_t{3});
  QtShortcutViews views(store);
  auto reader = views.makeShortcutView();
  EXPECT_EQ(reader->shortcutValue(), std::nullopt);
  reader->setAssociatedUserDefaultsKey("ash1");
  EXPECT_EQ(reader->shortcutValue(), (Shortcut{"Space", kControlKeyMask | kShiftKeyMask}));
  reader->setAssociatedUserDefaultsKey("ash2");
  EXPECT_EQ(reader->shortcutValue(), std::nullopt);
}

using ShortcutWindowTest = testing::WindowsTest;

TEST_F(ShortcutWindowTest, TabLeavesTheRecorderAndEscapeClosesTheEditor) {
  store.values["ash1"] = Value("Ctrl+K");
  ui.shortcutWindow.setDelegate(&rows);
  ui.shortcutView.setAssociatedUserDefaultsKey("ash1");
  show(ui.shortcutWindow);
  QWidget& recorder = ui.shortcutView.recorder();
  recorder.setFocus();
  ASSERT_TRUE(recorder.hasFocus());

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), &ui.shortcutView.clearButton());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
  EXPECT_TRUE(recorder.hasFocus());

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
  EXPECT_FALSE(ui.shortcutWindow.widget().isVisible());
  EXPECT_EQ(rows.events, (std::vector<std::string>{"willClose Shortcut"}));
  EXPECT_EQ(store.values.at("ash1"), Value("Ctrl+K"));
}

}  // namespace
}  // namespace wendaro
