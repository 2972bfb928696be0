#include "desktop/linux/command_line_words.h"

namespace wendaro {

namespace {

// The words of the line as written (quotes and backslashes kept), or none.
// Only the first word is kept, but the whole line is checked.
std::optional<std::string> firstWord(std::string_view line) {
  std::optional<std::string> first;
  std::optional<std::string> word;
  bool anyWord = false;
  char quote = '\0';     // the open quote; a backslash or "#" waiting for its next character
  bool escaped = false;  // an odd number of backslashes just before
  auto endWord = [&] {
    if (!word) return;
    if (!first) first = std::move(*word);
    word.reset();
    anyWord = true;
  };
  auto append = [&](char c) {
    if (!word) word.emplace();
    *word += c;
  };
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quote == '\\') {
      // A backslash and a newline vanish; any other pair is undone later.
      if (c != '\n') {
        append('\\');
        append(c);
      }
      quote = '\0';
    } else if (quote == '#') {
      // A comment runs to the end of the line; the newline goes with it.
      while (i < line.size() && line[i] != '\n') ++i;
      quote = '\0';
      if (i == line.size()) break;
    } else if (quote != '\0') {
      if (c == quote && !(quote == '"' && escaped)) quote = '\0';
      append(c);
    } else {
      switch (c) {
        case '\n': endWord(); break;
        case ' ':
        case '\t':
          if (word && !word->empty()) endWord();
          break;
        case '\'':
        case '"':
          append(c);
          quote = c;
          break;
        case '\\': quote = c; break;
        case '#':
          // Only a "#" at the start of a word (after a space or a newline,
          // not a tab) starts a comment.
          if (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\n') {
            quote = c;
          } else {
            append(c);
          }
          break;
        default: append(c);
      }
    }
    const char now = i < line.size() ? line[i] : '\0';
    escaped = now == '\\' ? !escaped : false;
  }
  endWord();
  if (quote != '\0' || !anyWord) return std::nullopt;
  return first;
}

// Removes the quotes and backslashes of one word.
std::optional<std::string> unquote(std::string_view word) {
  std::string text;
  std::size_t i = 0;
  while (i < word.size()) {
    while (i < word.size() && word[i] != '"' && word[i] != '\'') {
      if (word[i] == '\\') {
        if (++i < word.size()) {
          if (word[i] != '\n') text += word[i];
          ++i;
        }
      } else {
        text += word[i++];
      }
    }
    if (i == word.size()) break;
    const char quote = word[i++];
    bool closed = false;
    while (i < word.size() && !closed) {
      const char c = word[i];
      if (c == quote) {
        closed = true;
        ++i;
      } else if (quote == '"' && c == '\\') {
        const char next = i + 1 < word.size() ? word[i + 1] : '\0';
        if (next == '"' || next == '\\' || next == '`' || next == '$' || next == '\n') {
          text += next;
          i += 2;
        } else {
          text += '\\';
          ++i;
        }
      } else {
        text += c;
        ++i;
      }
    }
    if (!closed) return std::nullopt;
  }
  return text;
}

}  // namespace

std::optional<std::string> commandLineProgram(std::string_view commandLine) {
  const std::optional<std::string> word = firstWord(commandLine);
  if (!word) return std::nullopt;
  return unquote(*word);
}

}  // namespace wendaro
