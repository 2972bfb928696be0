#include "desktop/store/plist_file.h"

#include <locale.h>
#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>

#include "desktop/store/plist_scalar_text.h"
#include "desktop/store/plist_text_check.h"
#include "desktop/store/plist_values.h"

namespace wendaro {

namespace {

// libplist reads numbers with the C library's locale, which a desktop
// program sets from the user's environment: "2.5" reads as 2 where the
// decimal separator is a comma. This switches the calling thread to the C
// locale while libplist works.
class ClassicLocale {
 public:
  ClassicLocale() : previous_(uselocale(classicLocale())) {}
  ~ClassicLocale() { uselocale(previous_); }
  ClassicLocale(const ClassicLocale&) = delete;
  ClassicLocale& operator=(const ClassicLocale&) = delete;

 private:
  locale_t previous_;
};

}  // namespace

std::string plistTextOfSettings(const Value::Dictionary& settings) {
  PlistNode root = plistFromValue(Value(settings));
  ClassicLocale classic;
  char* xml = nullptr;
  uint32_t length = 0;
  plist_to_xml(root.get(), &xml, &length);
  std::unique_ptr<char, decltype(&plist_to_xml_free)> owned(xml, &plist_to_xml_free);
  return std::string(xml, length);
}

Result<Value::Dictionary> settingsFromPlistText(std::string_view text) {
  if (text.size() > std::numeric_limits<uint32_t>::max()) return PlatformError{"it is too large"};
  Result<std::vector<PlistElement>> elements = scanPlistElements(text);
  if (!elements.ok()) return elements.error();

  plist_t parsed = nullptr;
  {
    ClassicLocale classic;
    plist_from_xml(text.data(), static_cast<uint32_t>(text.size()), &parsed);
  }
  PlistNode root(parsed);
  if (!root) return PlatformError{"it is not an XML property list"};
  if (plist_get_node_type(root.get()) != PLIST_DICT) return PlatformError{"its top level is not a dictionary"};
  if (auto why = whyReadDiffersFromText(root.get(), elements.value())) return PlatformError{*why};
  Result<Value> settings = valueFromPlist(root.get());
  if (!settings.ok()) return settings.error();
  return settings.value().dictionary();
}

}  // namespace wendaro
