// The main of the benchmarks of the Qt desktop: an application on the
// offscreen platform, with the program's icon theme, that stays up when its
// windows close.
#include <QApplication>

#include <benchmark/benchmark.h>

#include "desktop/qt/icon_theme.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // The offscreen platform's notes (no keyboard grab, no raise) would drown
  // the figures.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  wendaro::configureIconTheme();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
