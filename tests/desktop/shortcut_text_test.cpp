#include <gtest/gtest.h>

#include <QKeySequence>

#include "desktop/qt/shortcut_text.h"

namespace wendaro {
namespace {

struct Spelled {
  const char* text;
  Shortcut shortcut;
};

const Spelled kShortcuts[] = {
    {"Ctrl+Alt+K", {"K", kControlKeyMask | kOptionKeyMask}},
    {"Meta+Ctrl+Alt+Shift+F5", {"F5", kCommandKeyMask | kControlKeyMask | kOptionKeyMask | kShiftKeyMask}},
    {"Meta+Space", {"Space", kCommandKeyMask}},
    {"Shift+F12", {"F12", kShiftKeyMask}},
    {"F5", {"F5", 0}},
    {"Ctrl++", {"+", kControlKeyMask}},
    {"Ctrl+,", {",", kControlKeyMask}},
    {"Alt+Volume Up", {"Volume Up", kOptionKeyMask}},
    {"Ctrl+Shift+!", {"!", kControlKeyMask | kShiftKeyMask}},
};

TEST(ShortcutTextTest, ReadsAndWritesEveryForm) {
  for (const auto& [text, shortcut] : kShortcuts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseShortcutText(text), shortcut);
    EXPECT_EQ(shortcutText(shortcut), text);
  }
}

// The stored text is what Qt itself writes, so that Qt reads it back as the
// same combination.
TEST(ShortcutTextTest, MatchesQtsPortableText) {
  for (const auto& [text, shortcut] : kShortcuts) {
    SCOPED_TRACE(text);
    const QKeySequence sequence = QKeySequence::fromString(QString::fromLatin1(text), QKeySequence::PortableText);
    ASSERT_EQ(sequence.count(), 1);
    EXPECT_EQ(sequence.toString(QKeySequence::PortableText).toStdString(), text);
  }
}

TEST(ShortcutTextTest, ReadsEveryModifierSetQtWrites) {
  const std::pair<Qt::KeyboardModifier, ModifierFlags> modifiers[] = {{Qt::ControlModifier, kControlKeyMask},
                                                                      {Qt::AltModifier, kOptionKeyMask},
                                                                      {Qt::ShiftModifier, kShiftKeyMask},
                                                                      {Qt::MetaModifier, kCommandKeyMask}};
  for (unsigned set = 0; set < 16; ++set) {
    Qt::KeyboardModifiers qtModifiers;
    ModifierFlags flags = 0;
    for (unsigned bit = 0; bit < 4; ++bit) {
      if (set & (1u << bit)) {
        qtModifiers |= modifiers[bit].first;
        flags |= modifiers[bit].second;
      }
    }
    const QString text = QKeySequence(QKeyCombination(qtModifiers, Qt::Key_J)).toString(QKeySequence::PortableText);
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(parseShortcutText(text.toStdString()), (Shortcut{"J", flags}));
  }
}

TEST(ShortcutTextTest, RefusesWhatIsNotOneCombination) {
  for (const char* text : {"", "Ctrl+", "Ctrl", "Ctrl+Shift", "K+Ctrl", "Alt+Ctrl+K", "Ctrl+Ctrl+K", "ctrl+k",
                           "Control+K", "Ctrl+K, Ctrl+L", "Ctrl+K+", "Ctrl+ K", "Ctrl+K ", "Ctrl+\tK", "Ctrl+Hyper+K",
                           "Ctrl+Num+5", "Ctrl+NoSuchKey", "not a shortcut", "Meta+Meta"}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(parseShortcutText(text), std::nullopt);
  }
}

}  // namespace
}  // namespace wendaro
