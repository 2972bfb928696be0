#include "desktop/qt/dialogs/choose_items_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include "platform/path_strings.h"

namespace wendaro {

namespace {

// Moves every item of `grid` one row down, leaving the first row free.
void freeFirstRow(QGridLayout& grid) {
  struct Placed {
    QLayoutItem* item;
    int row, column, rowSpan, columnSpan;
  };
  std::vector<Placed> placed;
  for (int i = grid.count() - 1; i >= 0; --i) {
    Placed p{nullptr, 0, 0, 0, 0};
    grid.getItemPosition(i, &p.row, &p.column, &p.rowSpan, &p.columnSpan);
    p.item = grid.takeAt(i);
    placed.push_back(p);
  }
  for (const Placed& p : placed) grid.addItem(p.item, p.row + 1, p.column, p.rowSpan, p.columnSpan);
}

QString nameFilterOf(const std::vector<std::string>& types) {
  QStringList patterns;
  for (const std::string& type : types) patterns << "*." + QString::fromStdString(type);
  return patterns.join(' ');
}

}  // namespace

bool isChoosable(const QString& path, bool isDirectory, const ChoosableItems& items) {
  if (isDirectory) return items.directories;
  if (!items.files) return false;
  if (items.fileTypes.empty()) return true;
  const std::string extension = pathExtension(path.toStdString());
  for (const std::string& type : items.fileTypes) {
    if (extension == type) return true;
  }
  return false;
}

ChooseItemsDialog::ChooseItemsDialog(QWidget* parent) : QFileDialog(parent) {
  // Only the dialog drawn by Qt can take files and directories in one choice.
  setOption(QFileDialog::DontUseNativeDialog);
  setFileMode(QFileDialog::ExistingFiles);
  setDirectory(QDir::homePath());

  // The dialog's own accept button opens a directory instead of choosing it;
  // it is replaced by one that chooses.
  auto* buttons = findChild<QDialogButtonBox*>();
  Q_ASSERT(buttons);
  for (QAbstractButton* button : buttons->buttons()) {
    if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) button->hide();
  }
  acceptButton_ = buttons->addButton(QString(), QDialogButtonBox::AcceptRole);
  acceptButton_->setDefault(true);

  messageLabel_ = new QLabel(this);
  messageLabel_->setWordWrap(true);
  messageLabel_->hide();
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    freeFirstRow(*grid);
    grid->addWidget(messageLabel_, 0, 0, 1, grid->columnCount());
  }

  if (auto* list = findChild<QListView*>("listView")) {
    connect(list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ChooseItemsDialog::updateAcceptButton);
  }
  if (auto* name = findChild<QLineEdit*>("fileNameEdit")) {
    connect(name, &QLineEdit::textChanged, this, &ChooseItemsDialog::updateAcceptButton);
  }
  connect(this, &QFileDialog::directoryEntered, this, &ChooseItemsDialog::updateAcceptButton);
  setChoosable(items_);
}

void ChooseItemsDialog::setChoosable(ChoosableItems items) {
  items_ = std::move(items);
  setOption(QFileDialog::ShowDirsOnly, !items_.files);
  const QString filter = items_.files ? nameFilterOf(items_.fileTypes) : QString();
  setNameFilter(filter.isEmpty() ? QString("*") : filter);
  updateAcceptButton();
}

void ChooseItemsDialog::setAllowsMultipleSelection(bool multiple) {
  if (auto* list = findChild<QListView*>("listView")) {
    list->setSelectionMode(multiple ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
  }
}

void ChooseItemsDialog::setAcceptText(const QString& text) { acceptButton_->setText(text); }

void ChooseItemsDialog::setMessage(const QString& message) {
  messageLabel_->setText(message);
  messageLabel_->setVisible(!message.isEmpty());
}

QStringList ChooseItemsDialog::chosenPaths() const {
  QStringList selected = selectedFiles();
  if (selected.isEmpty() && items_.directories) selected << directory().absolutePath();
  QStringList chosen;
  for (const QString& path : selected) {
    QFileInfo info(path);
    if (!info.exists() || !isChoosable(path, info.isDir(), items_)) return {};
    if (resolvesLinks_ && info.isSymLink() && !info.canonicalFilePath().isEmpty()) {
      chosen << info.canonicalFilePath();
    } else {
      chosen << QDir::cleanPath(info.absoluteFilePath());
    }
  }
  return chosen;
}

void ChooseItemsDialog::accept() {
  const QStringList chosen = chosenPaths();
  if (chosen.isEmpty()) return;
  acceptedPaths_ = chosen;
  QDialog::accept();
}

void ChooseItemsDialog::updateAcceptButton() {
  if (acceptButton_) acceptButton_->setEnabled(!chosenPaths().isEmpty());
}

}  // namespace wendaro
