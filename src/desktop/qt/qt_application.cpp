#include "desktop/qt/qt_application.h"

#include <QCoreApplication>

namespace wendaro {

void QtApplication::terminate() { QCoreApplication::quit(); }

}  // namespace wendaro
