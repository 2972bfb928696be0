// Global shortcuts: their stored text, and the binder over a keyboard in memory under the editor.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <set>

#include "desktop/qt/shortcut_text.h"
#include "desktop/qt/windows/qt_shortcut_view.h"
#include "desktop/qt/windows/shortcut_recorder_edit.h"
#include "desktop/shortcuts/global_shortcut_binder.h"
#include "desktop/store/plist_defaults_store.h"
#include "desktop/x11/qt_key_symbols.h"
#include "desktop/x11/shortcut_keys.h"
#include "temporary_directory.h"

namespace wendaro {
namespace {

using Texts = std::vector<std::string>;
using TextSet = std::set<std::string>;

// Stored as the text Qt writes, so that Qt reads it back the same; anything else is none.
// X grabs the key by its keysym: a letter by its small one.
TEST(ShortcutTextTest, ReadsAndWritesQtsPortableText) {
  struct Spelled {
    const char* text;
    Shortcut parsed;
    std::uint32_t keysym;
  };
  const Spelled spelled[] = {
      {"Meta+Ctrl+Alt+Shift+F5", {"F5", kCommandKeyMask | kControlKeyMask | kOptionKeyMask | kShiftKeyMask}, 0xffc2},
      {"F5", {"F5", 0}, 0xffc2},
      {"Shift+F35", {"F35", kShiftKeyMask}, 0xffe0},
      {"Ctrl+Alt+Z", {"Z", kControlKeyMask | kOptionKeyMask}, 0x7a},
      {"Meta+Space", {"Space", kCommandKeyMask}, 0x20},
      {"Ctrl++", {"+", kControlKeyMask}, 0x2b},
      {"Ctrl+~", {"~", kControlKeyMask}, 0x7e},
      {"Alt+Volume Up", {"Volume Up", kOptionKeyMask}, 0x1008ff13}};
  for (const auto& [text, parsed, keysym] : spelled) {
    EXPECT_EQ(parseShortcutText(text), parsed) << text;
    EXPECT_EQ(shortcutText(parsed), text);
    EXPECT_EQ(QKeySequence::fromString(text, QKeySequence::PortableText).toString(QKeySequence::PortableText), text);
    const std::optional<int> key = x11::qtKeyOf(parsed);
    EXPECT_EQ(key ? x11::keysymForQtKey(*key) : std::nullopt, keysym) << text;
  }
  for (const char* text :
       {"", "Ctrl+Shift", "K+Ctrl", "Alt+Ctrl+K", "ctrl+k", "Ctrl+K, Ctrl+L", "Ctrl+K ", "Ctrl+Num+5"}) {
    EXPECT_EQ(parseShortcutText(text), std::nullopt) << text;
  }
}

TEST(KeyPressVerdictTest, AShortcutNeedsCtrlAltOrMetaUnlessItIsAFunctionKey) {
  using enum KeyPressVerdict;
  const std::pair<const char*, KeyPressVerdict> presses[] = {
      {"Alt+Shift+K", Record}, {"Ctrl+Backspace", Record}, {"F5", Record},
      {"Shift+K", Refuse},     {"Num+5", Refuse},          {"Shift+Backtab", PassOn},
      {"Esc", PassOn},         {"Backspace", Clear},       {"Del", Clear}};
  for (const auto& [text, verdict] : presses) {
    const QKeyCombination press = QKeySequence(QString(text))[0];
    EXPECT_EQ(judgeKeyPress(press.key(), press.keyboardModifiers()), verdict) << text;
  }
  EXPECT_EQ(judgeKeyPress(Qt::Key_Control, Qt::ControlModifier), Ignore);
  EXPECT_EQ(QKeySequence(recordedCombination(Qt::Key_5, Qt::ControlModifier | Qt::KeypadModifier)),
            QKeySequence("Ctrl+5"));
}

// A keyboard in memory: records grabs and refuses those that another program holds.
struct InMemoryKeyGrabber : KeyGrabber {
  GrabOutcome grab(const Shortcut& combination) override {
    const std::string text = shortcutText(combination);
    calls.push_back("grab " + text);
    if (heldElsewhere.count(text)) return GrabOutcome::TakenByAnotherProgram;
    grabbed.insert(text);
    return GrabOutcome::Grabbed;
  }
  void ungrab(const Shortcut& combination) override {
    calls.push_back("ungrab " + shortcutText(combination));
    grabbed.erase(shortcutText(combination));
  }
  void setPressHandler(PressHandler handler) override { pressed = std::move(handler); }
  // The user presses the combination: it reaches the program only while grabbed.
  void press(const std::string& text) {
    if (grabbed.count(text) && pressed) pressed(*parseShortcutText(text));
  }

  Texts calls;
  TextSet grabbed, heldElsewhere;
  PressHandler pressed;
};

// The binder follows the settings store, which the editor's recorder writes.
class ShortcutsTest : public ::testing::Test {
 protected:
  void record(const std::string& key, const std::string& text) {
    text.empty() ? store.removeObjectForKey(key) : store.setObject(key, Value(text));
  }
  void bind(const std::string& key, const std::string& name) {
    binder->bindShortcutWithDefaultsKey(key, [this, name] { ran.push_back(name); });
  }
  void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(&view.recorder(), key, modifiers); }
  std::optional<Value> stored(const std::string& key) { return store.objectForKey(key); }
  bool says(const QLabel& label) { return label.isVisibleTo(&view); }

  testing::TemporaryDirectory directory;
  PlistDefaultsStore store{directory / "defaults.plist"};
  InMemoryKeyGrabber keyboard;
  Texts reported, ran;
  std::unique_ptr<GlobalShortcutBinder> binder = std::make_unique<GlobalShortcutBinder>(
      keyboard, [this](const std::string& key) { return storedShortcut(store, key); },
      [this](const Shortcut& taken) { reported.push_back(shortcutText(taken)); });
  PlistDefaultsStore::ListenerId listener = store.addChangeListener([this](const std::string& key) {
    if (binder) binder->storedValueChanged(key);
  });
  QtShortcutView view{store};
};

// A combination is held while a bound key stores it; keys storing the same one share
// its grab, and a press runs only the first of them: the main menu's, then in key order.
TEST_F(ShortcutsTest, TheBinderHoldsWhatTheBoundKeysStore) {
  bind("ash1", "ledger");
  record("ash1", "Ctrl+Alt+K");
  keyboard.press("Ctrl+Alt+K");
  for (const char* text : {"Ctrl+Alt+L", "", "Meta+Shift+F5"}) record("ash1", text);
  record("csh2", "Ctrl+Alt+J");  // a key nobody bound
  bind("ash1", "ledger again");  // binding again replaces the action
  keyboard.press("Meta+Shift+F5");
  EXPECT_EQ(keyboard.calls, (Texts{"grab Ctrl+Alt+K", "grab Ctrl+Alt+L", "ungrab Ctrl+Alt+K", "ungrab Ctrl+Alt+L",
                                   "grab Meta+Shift+F5"}));
  binder->breakBindingWithDefaultsKey("ash1");
  record("ash1", "Ctrl+Alt+N");  // not followed while unbound
  EXPECT_EQ(keyboard.grabbed, TextSet{});
  for (const char* key : {"ash1", "ash2", "WendaroMenu"}) {
    record(key, "Ctrl+Alt+N");
    bind(key, key);
  }
  EXPECT_TRUE(binder->isTakenByAnotherKey("ash1"));
  EXPECT_FALSE(binder->isTakenByAnotherKey("WendaroMenu"));
  for (const char* key : {"WendaroMenu", "ash1", "ash2"}) {
    keyboard.press("Ctrl+Alt+N");
    record(key, "");
  }
  EXPECT_EQ(ran, (Texts{"ledger", "ledger again", "WendaroMenu", "ash1", "ash2"}));
  EXPECT_EQ(keyboard.calls.size(), 8u) << "one grab for the three";
  EXPECT_EQ(keyboard.grabbed, TextSet{});

  // The main menu's action breaks its own binding as it runs, and with it
  // the only other user of the combination goes too.
  binder->bindShortcutWithDefaultsKey("WendaroMenu", [this] {
    binder->breakBindingWithDefaultsKey("WendaroMenu");
    binder->breakBindingWithDefaultsKey("ash2");
  });
  for (const char* key : {"WendaroMenu", "ash2"}) record(key, "Ctrl+Alt+X");
  keyboard.press("Ctrl+Alt+X");
  EXPECT_EQ(keyboard.grabbed, TextSet{});
}

// A combination another program holds is reported once and shows in the editor for
// every key that stores it; it is tried again when a key comes to store it anew.
TEST_F(ShortcutsTest, ACombinationHeldByAnotherProgramIsReportedOnce) {
  keyboard.heldElsewhere = {"Ctrl+Alt+K"};
  view.setConflicts(binder.get());
  view.setAssociatedUserDefaultsKey("ash2");
  bind("ash1", "ledger");
  bind("ash2", "quill");
  for (const char* text : {"Ctrl+Alt+K", "", "Ctrl+Alt+K"}) {
    record("ash1", text);
    record("ash2", text);
    EXPECT_EQ(says(view.conflictLabel()), *text != 0) << text;
  }
  EXPECT_EQ(reported, Texts{"Ctrl+Alt+K"});
  EXPECT_EQ(std::count(keyboard.calls.begin(), keyboard.calls.end(), "grab Ctrl+Alt+K"), 2);
  binder->breakBindingWithDefaultsKey("ash2");
  EXPECT_FALSE(says(view.conflictLabel())) << "a key no longer bound conflicts with nothing";
  view.setConflicts(nullptr);
}

// While the recorder has the focus nothing is held, so that a pressed shortcut is recorded;
// all is taken back, conflicts found anew, when the focus or the view goes.
TEST_F(ShortcutsTest, WhileTheEditorRecordsNothingIsHeld) {
  keyboard.heldElsewhere = {"Ctrl+Alt+J"};
  record("ash1", "Ctrl+Alt+K");
  bind("ash1", "ledger");
  bind("ash2", "quill");
  keyboard.calls.clear();
  QFocusEvent in(QEvent::FocusIn, Qt::OtherFocusReason), out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  view.setConflicts(binder.get());
  view.setAssociatedUserDefaultsKey("ash1");
  QCoreApplication::sendEvent(&view.recorder(), &in);
  record("ash2", "Ctrl+Alt+J");
  EXPECT_TRUE(binder->isTakenByAnotherProgram("ash2")) << "a conflict shows while the editor is open";
  record("ash1", "Ctrl+Alt+L");
  EXPECT_EQ(keyboard.calls, (Texts{"ungrab Ctrl+Alt+K", "grab Ctrl+Alt+J", "grab Ctrl+Alt+L", "ungrab Ctrl+Alt+L"}));
  keyboard.heldElsewhere.insert("Ctrl+Alt+L");  // another program takes it meanwhile
  QCoreApplication::sendEvent(&view.recorder(), &out);
  EXPECT_TRUE(says(view.conflictLabel()));
  EXPECT_EQ(reported, (Texts{"Ctrl+Alt+J", "Ctrl+Alt+L"}));
  keyboard.heldElsewhere.erase("Ctrl+Alt+L");  // and lets go: free once the editor records again
  QCoreApplication::sendEvent(&view.recorder(), &in);
  EXPECT_FALSE(says(view.conflictLabel()));
  EXPECT_EQ(keyboard.grabbed, TextSet{});
  {
    QtShortcutView other{store};
    view.setConflicts(nullptr);
    other.setConflicts(binder.get());
    QCoreApplication::sendEvent(&other.recorder(), &in);
  }
  keyboard.press("Ctrl+Alt+L");
  EXPECT_EQ(ran, Texts{"ledger"}) << "a view that goes while recording ends it";
}

// The recorder stores a recorded shortcut at once, in place of the last, and shows what is
// stored when shown; it names the entry whose key, coming first, stores its shortcut too.
TEST_F(ShortcutsTest, TheRecorderStoresOneCombinationAtOnce) {
  store.setObject("ash1", Value(std::int64_t{3}));
  view.setAssociatedUserDefaultsKey("ash1");
  EXPECT_TRUE(view.recorder().keySequence().isEmpty()) << "a number is no shortcut";
  press(Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
  press(Qt::Key_F5, Qt::MetaModifier);
  press(Qt::Key_K, Qt::ShiftModifier);
  QTest::keyPress(&view.recorder(), Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(stored("ash1"), Value("Meta+F5")) << "bare keys and lone modifiers change nothing";
  EXPECT_EQ(view.recorder().keySequence(), QKeySequence("Meta+F5"));
  QTest::mouseClick(&view.clearButton(), Qt::LeftButton);
  EXPECT_EQ(stored("ash1"), std::nullopt);
  EXPECT_FALSE(view.clearButton().isEnabled());
  record("ash1", "Ctrl+J");
  view.show();  // the store changed while it was hidden
  EXPECT_EQ(view.recorder().keySequence(), QKeySequence("Ctrl+J"));

  view.setShortcutOwner([](const std::string&, const Shortcut&) { return std::optional<std::string>("Ledger"); });
  for (const char* key : {"ash1", "ash3"}) {
    record(key, "Ctrl+Alt+M");
    bind(key, key);
  }
  view.setConflicts(binder.get());
  view.setAssociatedUserDefaultsKey("ash3");
  EXPECT_TRUE(says(view.inUseLabel()));
  EXPECT_EQ(view.inUseLabel().text(), "Already used by Ledger.");
  view.setAssociatedUserDefaultsKey("ash1");
  EXPECT_FALSE(says(view.inUseLabel()));
  view.setConflicts(nullptr);
}

}  // namespace
}  // namespace wendaro
