#include <gtest/gtest.h>

#include "platform/path_strings.h"

namespace wendaro {
namespace {

struct PathCase {
  const char* path;
  const char* last;
  const char* withoutExtension;
  const char* extension;
};

TEST(PathStringsTest, ComponentsAndExtensions) {
  const PathCase cases[] = {
      {"/Applications/Safari.app", "Safari.app", "/Applications/Safari", "app"},
      {"/Tools/Foo.Bar.app", "Foo.Bar.app", "/Tools/Foo.Bar", "app"},
      {"/Applications/Utilities/", "Utilities", "/Applications/Utilities", ""},
      {"/Applications/Safari.app/", "Safari.app", "/Applications/Safari", "app"},
      {"/Applications//Safari.app", "Safari.app", "/Applications/Safari", "app"},
      {"/usr/bin/tool", "tool", "/usr/bin/tool", ""},
      {"", "", "", ""},
      {"/", "/", "/", ""},
      {"/A/.app", ".app", "/A/.app", ""},
      {".tiff", ".tiff", ".tiff", ""},
      {"/A/..", "..", "/A/..", ""},
      {"scratch..tiff", "scratch..tiff", "scratch.", "tiff"},
      {"/A/Tool.APP", "Tool.APP", "/A/Tool", "APP"},
      {"/a.b/c", "c", "/a.b/c", ""},
      {"Notes.app", "Notes.app", "Notes", "app"},
      {"/A/Caf\xC3\xA9.app", "Caf\xC3\xA9.app", "/A/Caf\xC3\xA9", "app"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(lastPathComponent(c.path), c.last);
    EXPECT_EQ(stringByDeletingPathExtension(c.path), c.withoutExtension);
    EXPECT_EQ(pathExtension(c.path), c.extension);
  }
}

TEST(PathStringsTest, DisplayNameDropsOnlyTheLastExtension) {
  EXPECT_EQ(displayName("/Applications/Utilities/Disk Utility.app"), "Disk Utility");
  EXPECT_EQ(displayName("/Tools/Foo.Bar.app"), "Foo.Bar");
  EXPECT_EQ(displayName("Work"), "Work");
  EXPECT_EQ(displayName("/Applications/Safari.app/"), "Safari");
}

}  // namespace
}  // namespace wendaro
