#pragma once

#include <string>
#include <vector>

#include <QFileDialog>

class QLabel;
class QPushButton;

namespace wendaro {

// What kinds of entries the user may choose.
struct ChoosableItems {
  bool files = true;
  bool directories = false;
  // Extensions a chosen file must have ("app"); empty for any file.
  std::vector<std::string> fileTypes;
};

// Whether an entry at `path` of that kind may be chosen. Directories are never
// filtered by extension.
bool isChoosable(const QString& path, bool isDirectory, const ChoosableItems& items);

// A file dialog that can choose files and directories together, several at
// once: its accept button takes the selected entries whatever their kind (a
// double click still opens a directory). With nothing selected and directories
// choosable, it takes the directory on show. Only files of the allowed types
// are listed, and every directory.
class ChooseItemsDialog : public QFileDialog {
  Q_OBJECT

 public:
  explicit ChooseItemsDialog(QWidget* parent = nullptr);

  void setChoosable(ChoosableItems items);
  const ChoosableItems& choosable() const { return items_; }
  void setAllowsMultipleSelection(bool multiple);
  void setAcceptText(const QString& text);
  void setMessage(const QString& message);
  void setResolvesLinks(bool resolve) { resolvesLinks_ = resolve; }

  // The entries the accept button would take, in the order chosen: absolute
  // paths, links resolved when asked to.
  QStringList chosenPaths() const;
  // What the last accept took; empty until then.
  const QStringList& acceptedPaths() const { return acceptedPaths_; }

  QPushButton& acceptButton() { return *acceptButton_; }
  QLabel& messageLabel() { return *messageLabel_; }

  void accept() override;

 private:
  void updateAcceptButton();

  ChoosableItems items_;
  bool resolvesLinks_ = true;
  QPushButton* acceptButton_ = nullptr;
  QLabel* messageLabel_ = nullptr;
  QStringList acceptedPaths_;
};

}  // namespace wendaro
