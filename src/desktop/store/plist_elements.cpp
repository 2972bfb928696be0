#include "desktop/store/plist_elements.h"

#include "desktop/store/plist_values.h"

namespace wendaro {

namespace {

constexpr std::string_view kWhiteSpace = " \t\r\n";

bool isContainer(std::string_view name) { return name == "dict" || name == "array"; }

// The elements that hold text up to their end tag.
bool isScalar(std::string_view name) {
  return name == "string" || name == "key" || name == "integer" || name == "real" || name == "date" ||
         name == "data" || name == "true" || name == "false";
}

// libplist 2.2's XML reader (xplist.c, node_from_xml and the helpers it
// calls), step by step: where it ends a tag, a comment, a declaration, a
// processing instruction or an element's text, this scan ends it too, so
// that the elements and the nesting it counts are those libplist builds.
// Only double quotes hide markup, and only where libplist honours them.
// Wherever libplist gives up, the scan gives up as well. After the top level
// closes, where libplist stops reading, the scan goes on by the same rules,
// so that anything after it counts against the file.
class ElementScanner {
 public:
  explicit ElementScanner(std::string_view xml) : xml_(xml) {}

  Result<std::vector<PlistElement>> scan() {
    // XML has no NUL, and libplist cuts a key short at one and stops the
    // program on a string that holds one.
    if (xml_.find('\0') != std::string_view::npos) return PlatformError{"it holds a NUL byte"};
    while (skipWhiteSpace(), !atEnd()) {
      if (current() != '<' || (++at_, atEnd())) return broken();
      if (current() == '?') {
        if (!skipPast("?>", true)) return broken();
      } else if (current() == '!') {
        if (!skipDeclaration()) return broken();
      } else if (!element()) {
        return problem_.empty() ? broken() : PlatformError{problem_};
      }
    }
    // A missing </plist> alone is no loss: libplist stops at the end of the
    // top level.
    if (depth_ > 0) return PlatformError{"it ends before its arrays and dictionaries are closed"};
    return std::move(elements_);
  }

 private:
  bool atEnd() const { return at_ >= xml_.size(); }
  char current() const { return xml_[at_]; }
  bool startsHere(std::string_view text) const { return at_ <= xml_.size() && xml_.substr(at_).starts_with(text); }
  PlatformError broken() const {
    return PlatformError{"it is not a well-formed property list (at byte " + std::to_string(at_ + 1) + ")"};
  }

  void skipWhiteSpace() {
    while (!atEnd() && kWhiteSpace.find(current()) != std::string_view::npos) ++at_;
  }

  void skipTo(char c) {
    while (!atEnd() && current() != c) ++at_;
  }

  // To the first of the stops; text in double quotes is passed over when
  // asked. At the end of the text when there is none.
  void skipToAnyOf(std::string_view stops, bool passQuoted) {
    while (!atEnd()) {
      if (passQuoted && current() == '"') {
        ++at_;
        skipTo('"');
        if (atEnd()) return;
      }
      if (stops.find(current()) != std::string_view::npos) return;
      ++at_;
    }
  }

  // Past the next occurrence of the text; false when there is none. Like
  // libplist, it stops looking as many bytes before the end as the text is
  // long and then checks whether the text is there.
  bool skipPast(std::string_view text, bool passQuoted) {
    while (at_ + text.size() < xml_.size() && !startsHere(text)) {
      if (passQuoted && current() == '"') {
        ++at_;
        skipTo('"');
        if (atEnd()) return false;
      }
      ++at_;
    }
    if (!startsHere(text)) return false;
    at_ += text.size();
    return true;
  }

  // After "<!": a comment, or a document type with its internal subset.
  bool skipDeclaration() {
    if (xml_.size() - at_ > 3 && startsHere("!--")) {
      at_ += 3;
      return skipPast("-->", false);
    }
    if (xml_.size() - at_ <= 8 || !startsHere("!DOCTYPE")) return false;
    at_ += 8;
    while (!atEnd()) {
      skipToAnyOf(" \t\r\n[>", true);
      if (atEnd()) return false;
      if (current() == '[') return skipPast("]>", true);
      if (current() == '>') {
        ++at_;
        return true;
      }
      skipWhiteSpace();
    }
    return true;
  }

  // After "<": a start or end tag, and for a scalar its text and end tag.
  bool element() {
    const size_t start = at_;
    skipToAnyOf(" \r\n\t<>", false);
    if (atEnd()) return false;
    std::string name(xml_.substr(start, at_ - start));
    if (current() != '>') skipToAnyOf("<>", true);
    if (atEnd() || current() != '>') return false;
    // "<dict/>" and "<dict />" alike.
    const bool empty = xml_[at_ - 1] == '/';
    if (empty && at_ - start - 1 < name.size()) name.resize(at_ - start - 1);
    ++at_;

    if (name == "plist") {
      if (empty) return false;
      open_.push_back(name);
      return true;
    }
    if (name.starts_with('/')) return endTag(name);
    if (isContainer(name)) {
      elements_.push_back({name, {}});
      if (empty) {
        elements_.push_back({"/" + name, {}});
      } else {
        open_.push_back(name);
        if (++depth_ > kMaxPlistNesting) {
          problem_ = tooDeeplyNested();
          return false;
        }
      }
      return true;
    }
    if (!isScalar(name)) return false;
    elements_.push_back({name, {}});
    if (empty) return true;
    // libplist skips the white space before any text but a string's or key's.
    std::optional<std::string> text = textUpTo(name, name != "string" && name != "key");
    if (!text) return false;
    elements_.back().text = std::move(*text);
    return true;
  }

  bool endTag(const std::string& name) {
    if (open_.empty() || open_.back() != std::string_view(name).substr(1)) return false;
    open_.pop_back();
    if (isContainer(name.substr(1))) {
      elements_.push_back({name, {}});
      --depth_;
    }
    return true;
  }

  // The text of a scalar up to its end tag, which it passes: plain text and
  // character data, comments left out (entities stay as written).
  std::optional<std::string> textUpTo(std::string_view name, bool skipLeadingWhiteSpace) {
    if (skipLeadingWhiteSpace) skipWhiteSpace();
    std::string text;
    for (;;) {
      const size_t plain = at_;
      skipTo('<');
      if (atEnd()) return std::nullopt;
      const std::string_view before = xml_.substr(plain, at_ - plain);
      if (++at_ >= xml_.size()) return std::nullopt;
      if (current() == '/') {
        ++at_;
        if (at_ + name.size() >= xml_.size() || !startsHere(name)) return std::nullopt;
        at_ += name.size();
        skipWhiteSpace();
        if (atEnd() || current() != '>') return std::nullopt;
        ++at_;
        text += before;
        return text;
      }
      if (current() != '!' || ++at_ + 1 >= xml_.size()) return std::nullopt;
      text += before;
      if (startsHere("--")) {
        at_ += 2;
        if (!skipPast("-->", false)) return std::nullopt;
      } else if (current() == '[' && ++at_ + 8 < xml_.size() && startsHere("CDATA[")) {
        at_ += 6;
        const size_t data = at_;
        if (!skipPast("]]>", false)) return std::nullopt;
        text += xml_.substr(data, at_ - 3 - data);
      } else {
        return std::nullopt;
      }
    }
  }

  std::string_view xml_;
  size_t at_ = 0;
  std::vector<PlistElement> elements_;
  // The open <plist>, <dict> and <array> elements, innermost last.
  std::vector<std::string> open_;
  int depth_ = 0;
  std::string problem_;
};

}  // namespace

Result<std::vector<PlistElement>> scanPlistElements(std::string_view xml) { return ElementScanner(xml).scan(); }

}  // namespace wendaro
