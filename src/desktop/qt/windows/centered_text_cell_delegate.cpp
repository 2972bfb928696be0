#include "desktop/qt/windows/centered_text_cell_delegate.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTimer>

#include "windows/centered_text_cell.h"

namespace wendaro {

namespace {

Rect toRect(const QRectF& r) { return Rect{{r.x(), r.y()}, {r.width(), r.height()}}; }
QRectF toQRectF(const Rect& r) { return QRectF(r.origin.x, r.origin.y, r.size.width, r.size.height); }

const QStyle* styleOf(const QStyleOptionViewItem& option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

}  // namespace

CenteredTextCellDelegate::CenteredTextCellDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QRectF CenteredTextCellDelegate::titleRect(const QStyleOptionViewItem& option) {
  const QRect base = styleOf(option)->subElementRect(QStyle::SE_ItemViewItemText, &option, option.widget);
  return toQRectF(VerticallyCenteredTextFieldCell::titleRectForBounds(toRect(base), toRect(option.rect),
                                                                      option.fontMetrics.height()));
}

void CenteredTextCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
  QStyleOptionViewItem cell = option;
  initStyleOption(&cell, index);
  const bool hasText = cell.features.testFlag(QStyleOptionViewItem::HasDisplay) && !cell.text.isEmpty();
  if (!hasText && cell.features.testFlag(QStyleOptionViewItem::HasDecoration)) {
    paintIconAlone(painter, cell);
    return;
  }
  if (!hasText) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QRectF title = titleRect(cell);
  const QString text = cell.fontMetrics.elidedText(cell.text, cell.textElideMode, qRound(title.width()));
  // The style draws the row's background, selection and focus; the text is
  // drawn here, at the centred place.
  cell.text.clear();
  styleOf(cell)->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);

  const QPalette::ColorGroup group = !cell.state.testFlag(QStyle::State_Enabled) ? QPalette::Disabled
                                     : cell.state.testFlag(QStyle::State_Active) ? QPalette::Active
                                                                                  : QPalette::Inactive;
  const QPalette::ColorRole role =
      cell.state.testFlag(QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
  painter->save();
  painter->setFont(cell.font);
  painter->setPen(cell.palette.color(group, role));
  painter->drawText(title, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  painter->restore();
}

// The style would put the icon at the left and the focus frame around the
// empty place for text beside it: the frame goes around the cell, the icon in
// its middle.
void CenteredTextCellDelegate::paintIconAlone(QPainter* painter, QStyleOptionViewItem& cell) {
  const QIcon icon = cell.icon;
  cell.icon = QIcon();
  cell.features &= ~QStyleOptionViewItem::HasDecoration;
  styleOf(cell)->drawControl(QStyle::CE_ItemViewItem, &cell, painter, cell.widget);
  const QIcon::Mode mode = !cell.state.testFlag(QStyle::State_Enabled) ? QIcon::Disabled
                           : cell.state.testFlag(QStyle::State_Selected) ? QIcon::Selected
                                                                        : QIcon::Normal;
  const QRect place = QStyle::alignedRect(cell.direction, Qt::AlignCenter, cell.decorationSize, cell.rect);
  icon.paint(painter, place, Qt::AlignCenter, mode);
}

QWidget* CenteredTextCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                                const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  editor_ = qobject_cast<QLineEdit*>(editor);
  return editor;
}

void CenteredTextCellDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  if (editor == editor_) editor_ = nullptr;
  QStyledItemDelegate::destroyEditor(editor, index);
}

bool CenteredTextCellDelegate::endEditing() {
  if (!editor_) return true;
  const QString text = editor_->text();
  if (editEnd_ && !editEnd_->shouldEndEditing(text)) return false;
  QLineEdit* editor = editor_;
  editor_ = nullptr;  // before the view moves the focus away from it
  emit closeEditor(editor, QAbstractItemDelegate::NoHint);
  if (editEnd_) editEnd_->didEndEditing(text);
  return true;
}

void CenteredTextCellDelegate::abandonEditing() {
  QLineEdit* editor = editor_;
  editor_ = nullptr;
  emit closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
}

bool CenteredTextCellDelegate::eventFilter(QObject* object, QEvent* event) {
  if (!editor_ || object != editor_) return QStyledItemDelegate::eventFilter(object, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
          endEditing();
          return true;
        case Qt::Key_Escape:
          abandonEditing();
          return true;
        default:
          return false;
      }
    case QEvent::FocusOut: {
      // Leaving the window or opening a menu keeps the edit open.
      const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return false;
      if (!endEditing()) {
        // A refused edit keeps the keyboard once the focus change is over.
        QPointer<QLineEdit> editor = editor_;
        QTimer::singleShot(0, this, [this, editor] {
          if (editor && editor == editor_) editor->setFocus(Qt::OtherFocusReason);
        });
      }
      return false;
    }
    default:
      return QStyledItemDelegate::eventFilter(object, event);
  }
}

}  // namespace wendaro
