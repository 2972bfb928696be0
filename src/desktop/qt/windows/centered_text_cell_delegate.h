#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QStyledItemDelegate>

namespace wendaro {

// Decides and hears the end of an in-place edit of a table cell.
class InPlaceEditEnd {
 public:
  virtual ~InPlaceEditEnd() = default;
  // Whether the edit may end with `text`; a refusal keeps the editor open.
  virtual bool shouldEndEditing(const QString& text) = 0;
  // The editor has closed with `text`.
  virtual void didEndEditing(const QString& text) = 0;
};

// The text cell of the management tables. It draws a cell's text centred
// vertically by the `VerticallyCenteredTextFieldCell` rule, and runs the
// in-place editor of a text cell: Return, Enter, Tab and a move of the focus
// to another control end the edit when `InPlaceEditEnd` allows it; Escape
// abandons it. A cell of an icon alone has it centred; other cells (check
// boxes) are drawn as usual.
class CenteredTextCellDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit CenteredTextCellDelegate(QObject* parent = nullptr);

  void setEditEnd(InPlaceEditEnd* editEnd) { editEnd_ = editEnd; }
  // The open editor, or null.
  QLineEdit* openEditor() const { return editor_; }
  // Ends the open edit as Return would. True when no editor is left open.
  bool endEditing();

  // Where the text of a cell drawn with `option` goes.
  static QRectF titleRect(const QStyleOptionViewItem& option);

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
  // The edit is applied by the text delegate, never written to the model.
  void setModelData(QWidget*, QAbstractItemModel*, const QModelIndex&) const override {}

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  static void paintIconAlone(QPainter* painter, QStyleOptionViewItem& cell);
  void abandonEditing();

  InPlaceEditEnd* editEnd_ = nullptr;
  // Set by the const editor factory; one editor at a time.
  mutable QPointer<QLineEdit> editor_;
};

}  // namespace wendaro
