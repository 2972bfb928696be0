#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>

#include "platform/system_services.h"

namespace wendaro {

// Updates come from the system's package manager: checking shows which
// version runs and says so; the silent check at start does nothing.
class QtUpdater : public Updater {
 public:
  explicit QtUpdater(QString version);
  ~QtUpdater() override;
  void checkForUpdatesInBackground() override {}
  void checkForUpdates() override;

  // The dialog while it is open.
  QMessageBox* dialog() const { return dialog_; }
  static QString message(const QString& version);

 private:
  QString version_;
  QPointer<QMessageBox> dialog_;
};

}  // namespace wendaro
