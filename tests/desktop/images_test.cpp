#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include "desktop/qt/app_icon_lookup.h"
#include "desktop/qt/file_icon_cache.h"
#include "desktop/qt/icon_theme.h"
#include "desktop/qt/qt_image.h"
#include "desktop/qt/qt_images.h"

namespace wendaro {
namespace {

// The painted part of a picture.
QRect paintedArea(const QImage& picture) {
  QRect area;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qAlpha(picture.pixel(x, y)) > 0) area |= QRect(x, y, 1, 1);
    }
  }
  return area;
}

// An icon is drawn at its place times the screen's ratio, and handed over
// with that ratio: it fills its place, sharp, at every scale. The suite runs
// once more at scale 2, where QIcon's own choice of ratio would otherwise
// halve a looked-up icon. Handles are made without reading anything; each
// path is looked up at its first drawing, once.
TEST(IconScaleTest, IconsAreLookedUpOnceAndFillTheirPlaceAtEveryScale) {
  QPixmap large(256, 256);
  large.fill(Qt::red);
  auto cache = std::make_shared<FileIconCache>([&](const QString&) { return QIcon(large); });
  const ImageRef looked = cache->iconForFile("/Apps/Large.app");
  const ImageRef again = cache->iconForFile("/Apps/Large.app");
  const ImageRef scaled = QtImages().drawImage(looked, {16, 16}, {{0, 0}, {16, 16}}, {}, kCompositeSourceOver, 1.0);
  EXPECT_EQ(cache->lookups(), 0u);
  for (const ImageRef& image : {looked, again, scaled}) {
    for (qreal ratio : {1.0, 1.5, 2.0}) {
      const QPixmap picture = qtImageSource(image)->pixmap(QSize(16, 16), ratio);
      EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(16, 16)) << ratio;
      EXPECT_EQ(paintedArea(picture.toImage()), QRect(0, 0, qRound(16 * ratio), qRound(16 * ratio))) << ratio;
    }
    // As a menu or a table asks: for the application's ratio.
    const QPixmap shown = qtImageSource(image)->icon().pixmap(QSize(16, 16));
    EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_EQ(paintedArea(shown.toImage()), QRect(QPoint(), shown.size()));
  }
  EXPECT_EQ(cache->lookups(), 1u);
}

// An app directory shows the icon it carries; a desktop entry its own, from a
// file, the theme or a data directory's pixmaps, each name looked up once;
// every other path still gets an icon.
TEST(FileIconTest, AnAppShowsItsOwnIcon) {
  QTemporaryDir dir;
  const auto path = [&](const QString& name) { return dir.filePath(name); };
  const auto write = [&](const QString& name, const QByteArray& contents) {
    QDir(dir.path()).mkpath(QFileInfo(path(name)).path());
    QFile file(path(name));
    if (file.open(QIODevice::WriteOnly)) file.write(contents);
  };
  const auto picture = [&](const QString& name, QColor colour) {
    QImage square(8, 8, QImage::Format_ARGB32);
    square.fill(colour);
    write(name, "");
    square.save(path(name), "PNG");
  };
  // The colour in the middle of the icon shown for `name`; none without an icon.
  const auto shown = [&](const QString& name) {
    const QImage image = lookUpFileIcon(path(name)).pixmap(16, 16).toImage();
    return image.isNull() ? QColor() : image.pixelColor(image.width() / 2, image.height() / 2);
  };
  picture("Both.app/.DirIcon", Qt::red);
  picture("Both.app/Both.png", Qt::blue);
  picture("Named.app/Named.png", Qt::green);
  picture("Lower Case.app/lower case.png", Qt::yellow);
  picture("Broken.app/Broken.png", Qt::cyan);
  write("Broken.app/.DirIcon", "not an image");
  write("Plain.app/readme", "");
  const std::pair<const char*, QColor> apps[] = {{"Both.app", Qt::red},          {"Named.app", Qt::green},
                                                 {"Lower Case.app", Qt::yellow}, {"Broken.app", Qt::cyan},
                                                 {"Plain.app", QColor()},        {"Missing.app", QColor()}};
  for (const auto& [name, colour] : apps) {
    EXPECT_TRUE(colour.isValid() ? shown(name) == colour : shown(name).isValid()) << name;
  }

  picture("icons/wendaro-test/16x16/apps/wendaro-map.png", Qt::green);
  write("icons/wendaro-test/index.theme",
        "[Icon Theme]\nName=Test\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\nType=Fixed\n");
  picture("own.png", Qt::magenta);
  picture("data/pixmaps/wendaro-loose.png", Qt::blue);
  const QStringList searchPaths = QIcon::themeSearchPaths(), fallbackPaths = QIcon::fallbackSearchPaths();
  const QString theme = QIcon::themeName();
  const QByteArray dataDirectories = qgetenv("XDG_DATA_DIRS");
  QIcon::setThemeSearchPaths({path("icons")});
  QIcon::setThemeName("wendaro-test");
  qputenv("XDG_DATA_DIRS", path("data").toUtf8());
  configureIconTheme();
  themeIcons().icon("application-x-executable");  // the fallback, known before counting
  const std::size_t lookupsBefore = themeIcons().lookups();
  const std::pair<QString, QColor> entries[] = {{path("own.png"), Qt::magenta},     {"wendaro-map", Qt::green},
                                                {"wendaro-map.png", Qt::green},     {"wendaro-loose", Qt::blue},
                                                {"wendaro-no-such-icon", QColor()}, {"wendaro-no-such-icon", QColor()}};
  int written = 0;
  for (const auto& [icon, colour] : entries) {
    const QString name = QString("%1.desktop").arg(++written);
    write(name, "[Desktop Entry]\nType=Application\nName=Map\nIcon=" + icon.toUtf8());
    EXPECT_TRUE(colour.isValid() ? shown(name) == colour : shown(name).isValid()) << icon.toStdString();
  }
  EXPECT_EQ(themeIcons().lookups() - lookupsBefore, 3u) << "each name is looked up once, found or not";
  QIcon::setThemeName(theme);
  QIcon::setThemeSearchPaths(searchPaths);
  QIcon::setFallbackSearchPaths(fallbackPaths);
  qputenv("XDG_DATA_DIRS", dataDirectories);
}

}  // namespace
}  // namespace wendaro
