// Runs the Qt layer's tests on the offscreen platform: no display needed.
#include <QApplication>

#include <gtest/gtest.h>

#include "desktop/qt/icon_theme.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  wendaro::configureIconTheme();
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
