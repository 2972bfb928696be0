#include "desktop/qt/qt_program.h"

#include <QApplication>
#include <QIcon>

#include "desktop/qt/qt_images.h"
#include "desktop/qt/qt_image_source.h"

namespace wendaro {

void describeProgram(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("wendaro"));
  QApplication::setApplicationVersion(QStringLiteral(WENDARO_VERSION));
  QGuiApplication::setDesktopFileName(QStringLiteral("wendaro"));
  const ImageRef icon = QtImages().imageNamed("MenubarIcon");
  if (const QtImageSource* source = qtImageSource(icon)) application.setWindowIcon(source->icon());
}

}  // namespace wendaro
