#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

namespace wendaro {

// The icon of a path, in this order: for a desktop entry, its Icon (an
// absolute file, or a name in the icon theme); an icon file inside an app
// directory (".DirIcon", or an image named after the app such as "Foo.png"
// inside "Foo.app"); the theme's icon for the file's type (an app directory
// counts as an executable, and so an AppImage); the theme's generic
// application icon; the file icon of the platform, which always exists.
// Reads the disk; call it only when the icon is to be drawn.
QIcon lookUpFileIcon(const QString& path);

// Icons of the theme by name, each name looked up once: without an
// icon-theme.cache a lookup costs milliseconds, and Qt does not remember the
// names it did not find.
class ThemeIcons {
 public:
  // The theme's icon, or a null icon when the theme has none of that name.
  QIcon icon(const QString& name);
  std::size_t lookups() const { return static_cast<std::size_t>(known_.size()); }

 private:
  QHash<QString, QIcon> known_;
};

// The one set of theme icons that lookUpFileIcon uses.
ThemeIcons& themeIcons();

}  // namespace wendaro
