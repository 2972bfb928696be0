#include "desktop/qt/qt_updater.h"

#include <QMessageBox>

namespace wendaro {

QtUpdater::QtUpdater(QString version) : version_(std::move(version)) {}

QtUpdater::~QtUpdater() { delete dialog_; }

QString QtUpdater::message(const QString& version) {
  return QStringLiteral("You are running Wendaro %1.\n\n"
                        "Updates come from your system's package manager: "
                        "update Wendaro there together with the rest of the system.")
      .arg(version);
}

void QtUpdater::checkForUpdates() {
  if (!dialog_) {
    dialog_ = new QMessageBox(QMessageBox::Information, QStringLiteral("Check for Updates"), message(version_),
                              QMessageBox::Ok);
    dialog_->setAttribute(Qt::WA_DeleteOnClose);
    dialog_->setObjectName(QStringLiteral("updatesDialog"));
    // Above the management windows, which float above ordinary windows.
    dialog_->setWindowFlag(Qt::WindowStaysOnTopHint);
  }
  // Not modal: the tray stays usable while it is open.
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
}

}  // namespace wendaro
