#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "desktop/qt/app_icon_lookup.h"
#include "desktop/qt/file_icon_cache.h"
#include "desktop/qt/icon_theme.h"
#include "desktop/qt/pixmap_icon_engine.h"
#include "desktop/qt/qt_image.h"
#include "desktop/qt/qt_images.h"

namespace wendaro {
namespace {

// A picture of one colour that counts how often it is drawn.
class SolidEngine : public PixmapIconEngine {
 public:
  SolidEngine(QColor colour, int* draws) : colour_(colour), draws_(draws) {}
  QIconEngine* clone() const override { return new SolidEngine(colour_, draws_); }

 protected:
  QPixmap render(QSize pixelSize) const override {
    ++*draws_;
    QPixmap picture(pixelSize);
    picture.fill(colour_);
    return picture;
  }

 private:
  QColor colour_;
  int* draws_;
};

ImageRef solid(Size size, int* draws, QColor colour = Qt::red) {
  return std::make_shared<QtImage>(QIcon(new SolidEngine(colour, draws)), size);
}

QImage drawn(const ImageRef& image, int side) {
  return qtImageSource(image)->pixmap(QSize(side, side)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The painted rows and columns of a picture: (left, top, width, height).
QRect paintedArea(const QImage& picture) {
  QRect area;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (qAlpha(picture.pixel(x, y)) > 0) area |= QRect(x, y, 1, 1);
    }
  }
  return area;
}

void writeImage(const QString& path, QColor colour) {
  QImage picture(8, 8, QImage::Format_ARGB32);
  picture.fill(colour);
  ASSERT_TRUE(picture.save(path, "PNG"));
}

QColor centreColour(const QIcon& icon) {
  const QImage picture = icon.pixmap(16, 16).toImage();
  return picture.pixelColor(picture.width() / 2, picture.height() / 2);
}

TEST(DrawnImageTest, TheSourceIsDrawnIntoItsRectangleWithTheOriginAtTheBottomLeft) {
  QtImages images;
  int draws = 0;
  const struct {
    Rect inRect;
    QRect painted;  // at 16 by 16 pixels, origin at the top left
  } cases[] = {
      {{{0, 4}, {16, 8}}, QRect(0, 4, 16, 8)},
      {{{4, 0}, {8, 16}}, QRect(4, 0, 8, 16)},
      {{{0, 0}, {16, 8}}, QRect(0, 8, 16, 8)},
  };
  for (const auto& entry : cases) {
    auto image = images.drawImage(solid({64, 32}, &draws), {16, 16}, entry.inRect, {}, kCompositeSourceOver, 1.0);
    EXPECT_TRUE(image->isValid());
    EXPECT_EQ(image->size(), (Size{16, 16}));
    EXPECT_EQ(paintedArea(drawn(image, 16)), entry.painted);
  }
  // Drawn at twice the size, the drawing keeps its proportions.
  auto image = images.drawImage(solid({64, 32}, &draws), {16, 16}, {{0, 4}, {16, 8}}, {}, kCompositeSourceOver, 1.0);
  EXPECT_EQ(paintedArea(drawn(image, 32)), QRect(0, 8, 32, 16));
}

TEST(DrawnImageTest, NothingIsDrawnBeforeTheFirstPaintAndEachSizeOnce) {
  QtImages images;
  int draws = 0;
  auto image = images.drawImage(solid({32, 32}, &draws), {16, 16}, {{0, 0}, {16, 16}}, {}, kCompositeSourceOver, 1.0);
  EXPECT_EQ(draws, 0);
  drawn(image, 16);
  drawn(image, 16);
  EXPECT_EQ(draws, 1);
  drawn(image, 32);
  EXPECT_EQ(draws, 2);
}

TEST(DrawnImageTest, OpacityAndAPartOfTheSource) {
  QtImages images;
  int draws = 0;
  auto faint = images.drawImage(solid({16, 16}, &draws), {16, 16}, {{0, 0}, {16, 16}}, {}, kCompositeSourceOver, 0.5);
  EXPECT_NEAR(qAlpha(drawn(faint, 16).pixel(8, 8)), 128, 2);

  // The upper half of a two-coloured source: red above, blue below.
  QImage source(16, 16, QImage::Format_ARGB32);
  source.fill(Qt::blue);
  QPainter(&source).fillRect(0, 0, 16, 8, Qt::red);
  auto sourceImage = std::make_shared<QtImage>(QIcon(QPixmap::fromImage(source)), Size{16, 16});
  auto top = images.drawImage(sourceImage, {16, 16}, {{0, 0}, {16, 16}}, {{0, 8}, {16, 8}}, kCompositeSourceOver, 1.0);
  EXPECT_EQ(drawn(top, 16).pixelColor(8, 2), QColor(Qt::red));
  EXPECT_EQ(drawn(top, 16).pixelColor(8, 14), QColor(Qt::red));
}

// An icon is drawn at its place times the screen's ratio, and handed over
// with that ratio: it fills its place, sharp, at every scale. The suite runs
// once more with the whole program at scale 2 (tests/desktop/CMakeLists.txt),
// where QIcon's own choice of ratio would otherwise halve a looked-up icon.
TEST(IconScaleTest, IconsFillTheirPlaceAtEveryScale) {
  QtImages images;
  QPixmap large(256, 256);
  large.fill(Qt::red);
  auto cache = std::make_shared<FileIconCache>([&](const QString&) { return QIcon(large); });
  const ImageRef looked = cache->iconForFile("/Apps/Large.app");
  const ImageRef scaled = images.drawImage(looked, {16, 16}, {{0, 0}, {16, 16}}, {}, kCompositeSourceOver, 1.0);
  for (const ImageRef& image : {looked, scaled}) {
    for (qreal ratio : {1.0, 1.5, 2.0, qApp->devicePixelRatio()}) {
      const QPixmap picture = qtImageSource(image)->pixmap(QSize(16, 16), ratio);
      EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(16, 16)) << ratio;
      const int pixels = qRound(16 * ratio);
      EXPECT_EQ(paintedArea(picture.toImage()), QRect(0, 0, pixels, pixels)) << ratio;
    }
    // As a menu or a table asks: for the application's ratio.
    const QPixmap shown = qtImageSource(image)->icon().pixmap(QSize(16, 16));
    EXPECT_EQ(shown.deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_EQ(paintedArea(shown.toImage()), QRect(QPoint(), shown.size()));
  }
}

TEST(ImageAssetTest, TheTrayIconDrawsAtEverySizeAndUnknownNamesAreInvalid) {
  QtImages images;
  auto icon = images.imageNamed("MenubarIcon");
  ASSERT_TRUE(icon->isValid());
  const QSize pictureSize = QSvgRenderer(QString(kMenubarIconResource)).defaultSize();
  EXPECT_EQ(icon->size(), (Size{double(pictureSize.width()), double(pictureSize.height())}));
  for (int side : {16, 22, 32, 48}) {
    const QImage picture = drawn(icon, side);
    EXPECT_EQ(picture.size(), QSize(side, side));
    EXPECT_EQ(qAlpha(picture.pixel(side / 2, side / 2)), 255) << side;
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "rounded corners, at " << side;
  }
  EXPECT_FALSE(images.imageNamed("NoSuchAsset")->isValid());
}

class FileIconTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir.isValid()); }
  QString path(const QString& name) const { return dir.filePath(name); }
  QTemporaryDir dir;
};

TEST_F(FileIconTest, AnAppDirectoryShowsTheIconItCarries) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("Both.app"));
  writeImage(path("Both.app/.DirIcon"), Qt::red);
  writeImage(path("Both.app/Both.png"), Qt::blue);
  ASSERT_TRUE(QDir(dir.path()).mkpath("Named.app"));
  writeImage(path("Named.app/Named.png"), Qt::green);
  ASSERT_TRUE(QDir(dir.path()).mkpath("Lower Case.app"));
  writeImage(path("Lower Case.app/lower case.png"), Qt::yellow);
  ASSERT_TRUE(QDir(dir.path()).mkpath("Broken.app"));
  QFile notAnImage(path("Broken.app/.DirIcon"));
  ASSERT_TRUE(notAnImage.open(QIODevice::WriteOnly));
  notAnImage.write("not an image");
  notAnImage.close();
  writeImage(path("Broken.app/Broken.png"), Qt::cyan);

  EXPECT_EQ(centreColour(lookUpFileIcon(path("Both.app"))), QColor(Qt::red));
  EXPECT_EQ(centreColour(lookUpFileIcon(path("Named.app"))), QColor(Qt::green));
  EXPECT_EQ(centreColour(lookUpFileIcon(path("Lower Case.app"))), QColor(Qt::yellow));
  EXPECT_EQ(centreColour(lookUpFileIcon(path("Broken.app"))), QColor(Qt::cyan));
}

TEST_F(FileIconTest, EveryOtherPathStillGetsAnIcon) {
  ASSERT_TRUE(QDir(dir.path()).mkpath("Plain.app"));
  QFile text(path("notes.txt"));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("hello\n");
  text.close();
  for (const QString name : {"Plain.app", "notes.txt", "Missing.app"}) {
    EXPECT_FALSE(lookUpFileIcon(path(name)).pixmap(16, 16).isNull()) << name.toStdString();
  }
}

TEST_F(FileIconTest, ADesktopEntryShowsItsIconFromAFileOrTheTheme) {
  // A theme of one icon.
  ASSERT_TRUE(QDir(dir.path()).mkpath("icons/wendaro-test/16x16/apps"));
  QFile index(path("icons/wendaro-test/index.theme"));
  ASSERT_TRUE(index.open(QIODevice::WriteOnly));
  index.write("[Icon Theme]\nName=Test\nDirectories=16x16/apps\n\n[16x16/apps]\nSize=16\nType=Fixed\n");
  index.close();
  writeImage(path("icons/wendaro-test/16x16/apps/wendaro-map.png"), Qt::green);
  writeImage(path("own.png"), Qt::red);
  // And one outside any theme, in a data directory's pixmaps.
  ASSERT_TRUE(QDir(dir.path()).mkpath("data/pixmaps"));
  writeImage(path("data/pixmaps/wendaro-loose.png"), Qt::blue);
  const QStringList searchPaths = QIcon::themeSearchPaths();
  const QStringList fallbackPaths = QIcon::fallbackSearchPaths();
  const QString theme = QIcon::themeName();
  const QByteArray dataDirectories = qgetenv("XDG_DATA_DIRS");
  QIcon::setThemeSearchPaths({path("icons")});
  QIcon::setThemeName("wendaro-test");
  qputenv("XDG_DATA_DIRS", path("data").toUtf8());
  configureIconTheme();

  const struct {
    const char* name;
    QString icon;
    QColor colour;  // invalid: any icon that draws
  } cases[] = {
      {"file.desktop", path("own.png"), Qt::red},
      {"theme.desktop", "wendaro-map", Qt::green},
      {"extension.desktop", "wendaro-map.png", Qt::green},
      {"loose.desktop", "wendaro-loose", Qt::blue},
      {"missing.desktop", "wendaro-no-such-icon", QColor()},
      {"missing-too.desktop", "wendaro-no-such-icon", QColor()},
  };
  themeIcons().icon("application-x-executable");  // the fallback, known before counting
  const std::size_t lookupsBefore = themeIcons().lookups();
  for (const auto& entry : cases) {
    SCOPED_TRACE(entry.name);
    QFile file(path(entry.name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("[Desktop Entry]\nType=Application\nName=Map\nIcon=" + entry.icon + "\n").toUtf8());
    file.close();
    const QIcon icon = lookUpFileIcon(path(entry.name));
    if (entry.colour.isValid()) {
      EXPECT_EQ(centreColour(icon), entry.colour);
    } else {
      EXPECT_FALSE(icon.pixmap(16, 16).isNull());
    }
  }
  EXPECT_EQ(themeIcons().lookups() - lookupsBefore, 3u) << "each name is looked up once, found or not";
  QIcon::setThemeName(theme);
  QIcon::setThemeSearchPaths(searchPaths);
  QIcon::setFallbackSearchPaths(fallbackPaths);
  qputenv("XDG_DATA_DIRS", dataDirectories);
}

TEST_F(FileIconTest, IconsAreLookedUpAtTheFirstDrawAndOncePerPath) {
  auto cache = std::make_shared<FileIconCache>(lookUpFileIcon);
  auto first = cache->iconForFile(path("A.app").toStdString());
  auto again = cache->iconForFile(path("A.app").toStdString());
  auto other = cache->iconForFile(path("B.app").toStdString());
  EXPECT_TRUE(first->isValid());
  EXPECT_EQ(first->size(), (Size{32, 32}));
  EXPECT_EQ(cache->lookups(), 0u) << "making handles reads nothing";

  drawn(first, 16);
  drawn(again, 16);
  drawn(again, 32);
  EXPECT_EQ(cache->lookups(), 1u);
  drawn(other, 16);
  EXPECT_EQ(cache->lookups(), 2u);
}

}  // namespace
}  // namespace wendaro
