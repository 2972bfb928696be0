#pragma once

#include <QIcon>
#include <QString>

namespace wendaro {

// The icon of a path, in this order: an icon file inside an app directory
// (".DirIcon", or an image named after the app such as "Foo.png" inside
// "Foo.app"); the theme's icon for the file's type (an app directory counts
// as an executable); the theme's generic application icon; the file icon of
// the platform, which always exists. Reads the disk; call it only when the
// icon is to be drawn.
QIcon lookUpFileIcon(const QString& path);

}  // namespace wendaro
