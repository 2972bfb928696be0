#include "desktop/qt/dialogs/qt_open_panel.h"

#include <QApplication>
#include <QPointer>

namespace wendaro {

QtOpenPanel::QtOpenPanel(DialogRunner runner)
    : runner_(std::move(runner)), dialog_(std::make_unique<ChooseItemsDialog>()) {
  dialog_->setAllowsMultipleSelection(false);
}

void QtOpenPanel::setPrompt(const std::string& prompt) { dialog_->setAcceptText(QString::fromStdString(prompt)); }

void QtOpenPanel::setAllowsMultipleSelection(bool flag) { dialog_->setAllowsMultipleSelection(flag); }

void QtOpenPanel::setCanChooseDirectories(bool flag) {
  ChoosableItems items = dialog_->choosable();
  items.directories = flag;
  dialog_->setChoosable(std::move(items));
}

void QtOpenPanel::setCanChooseFiles(bool flag) {
  ChoosableItems items = dialog_->choosable();
  items.files = flag;
  dialog_->setChoosable(std::move(items));
}

void QtOpenPanel::setAllowedFileTypes(const std::vector<std::string>& types) {
  ChoosableItems items = dialog_->choosable();
  items.fileTypes = types;
  dialog_->setChoosable(std::move(items));
}

void QtOpenPanel::setResolvesAliases(bool flag) { dialog_->setResolvesLinks(flag); }

void QtOpenPanel::setTitle(const std::string& title) { dialog_->setWindowTitle(QString::fromStdString(title)); }

void QtOpenPanel::setMessage(const std::string& message) { dialog_->setMessage(QString::fromStdString(message)); }

int QtOpenPanel::runModal() {
  urls_.clear();
  // The dialog belongs to the window it is opened from: it stands above that
  // window, and floats with it when it floats above ordinary windows.
  const QPointer<QWidget> owner = QApplication::activeWindow();
  if (owner) {
    dialog_->setParent(owner, Qt::Dialog);
    dialog_->setWindowFlag(Qt::WindowStaysOnTopHint, owner->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  }
  const int result = runner_ ? runner_(*dialog_) : dialog_->exec();
  // Owned here, not by the window.
  if (owner) dialog_->setParent(nullptr, Qt::Dialog);
  if (result != QDialog::Accepted) return 0;
  for (const QString& path : dialog_->acceptedPaths()) urls_.push_back(Url::fileURLWithPath(path.toStdString()));
  return 1;
}

QtOpenPanels::QtOpenPanels(DialogRunner runner) : runner_(std::move(runner)) {}

std::unique_ptr<OpenPanel> QtOpenPanels::openPanel() { return std::make_unique<QtOpenPanel>(runner_); }

}  // namespace wendaro
