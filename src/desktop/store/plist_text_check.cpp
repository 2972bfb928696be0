#include "desktop/store/plist_text_check.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "desktop/store/plist_scalar_text.h"

namespace wendaro {

namespace {

class ReadComparison {
 public:
  explicit ReadComparison(const std::vector<PlistElement>& elements) : elements_(elements) {}

  std::optional<std::string> compare(plist_t root) {
    if (!matches(root)) return problem_;
    if (next_ != elements_.size()) return describe(next_, "was not read");
    return std::nullopt;
  }

 private:
  std::string describe(size_t index, const std::string& what) const {
    return "element " + std::to_string(index + 1) + " (<" + elements_[index].name + ">) " + what;
  }

  // Takes the next element, which must have the name.
  bool take(std::string_view name) {
    if (next_ >= elements_.size()) {
      problem_ = "it holds less than libplist read";
      return false;
    }
    if (elements_[next_].name != name) {
      problem_ = describe(next_, "is not in its place: a key without a value, a repeated key or a misplaced element");
      return false;
    }
    ++next_;
    return true;
  }

  bool fail(const std::string& what) {
    problem_ = describe(next_ - 1, what);
    return false;
  }

  const std::string& text() const { return elements_[next_ - 1].text; }

  bool matches(plist_t node) {
    switch (plist_get_node_type(node)) {
      case PLIST_DICT: return matchesDictionary(node);
      case PLIST_ARRAY: {
        if (!take("array")) return false;
        for (uint32_t i = 0; i < plist_array_get_size(node); ++i) {
          if (!matches(plist_array_get_item(node, i))) return false;
        }
        return take("/array");
      }
      case PLIST_STRING: return take("string");
      case PLIST_BOOLEAN: {
        uint8_t flag = 0;
        plist_get_bool_val(node, &flag);
        return take(flag ? "true" : "false");
      }
      case PLIST_UINT: {
        if (!take("integer")) return false;
        uint64_t bits = 0;
        plist_get_uint_val(node, &bits);
        auto written = integerFromPlistText(text());
        if (!written) return fail("is not a whole number within 64 signed bits");
        return *written == static_cast<std::int64_t>(bits) || fail("was read as another number");
      }
      case PLIST_REAL: {
        if (!take("real")) return false;
        double read = 0;
        plist_get_real_val(node, &read);
        auto written = realFromPlistText(text());
        if (!written) return fail("is not a number");
        bool same = std::isnan(*written) ? std::isnan(read)
                                         : std::bit_cast<std::uint64_t>(*written) == std::bit_cast<std::uint64_t>(read);
        return same || fail("was read as another number");
      }
      case PLIST_DATE: {
        if (!take("date")) return false;
        int32_t seconds = 0, microseconds = 0;
        plist_get_date_val(node, &seconds, &microseconds);
        auto written = dateFromPlistText(text());
        if (!written) return fail("is not a date of the form 2001-01-01T00:00:00Z");
        return (*written == seconds && microseconds == 0) || fail("was read as another date (dates hold 1932 to 2069)");
      }
      case PLIST_DATA: return matchesData(node);
      default:
        problem_ = "it holds a kind of value that the settings cannot keep";
        return false;
    }
  }

  bool matchesDictionary(plist_t node) {
    if (!take("dict")) return false;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    std::unique_ptr<void, decltype(&std::free)> ownedIterator(iterator, &std::free);
    for (;;) {
      char* key = nullptr;
      plist_t item = nullptr;
      plist_dict_next_item(node, iterator, &key, &item);
      std::free(key);
      if (!item) break;
      if (!take("key") || !matches(item)) return false;
    }
    return take("/dict");
  }

  bool matchesData(plist_t node) {
    if (!take("data")) return false;
    char* raw = nullptr;
    uint64_t length = 0;
    plist_get_data_val(node, &raw, &length);
    std::unique_ptr<char, decltype(&std::free)> bytes(raw, &std::free);
    auto written = dataFromPlistText(text());
    if (!written) return fail("is not base64");
    bool same = written->size() == length &&
                (length == 0 || std::equal(written->begin(), written->end(), reinterpret_cast<std::uint8_t*>(bytes.get())));
    return same || fail("was read as other bytes");
  }

  const std::vector<PlistElement>& elements_;
  size_t next_ = 0;
  std::string problem_;
};

}  // namespace

std::optional<std::string> whyReadDiffersFromText(plist_t root, const std::vector<PlistElement>& elements) {
  return ReadComparison(elements).compare(root);
}

}  // namespace wendaro
