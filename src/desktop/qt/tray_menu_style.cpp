#include "desktop/qt/tray_menu_style.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QtMath>
#include <QStyleOptionMenuItem>

namespace wendaro {

namespace {

// A subtitle gets at most this many average characters; a longer one is
// shortened in the middle.
constexpr int kSubtitleCharacters = 40;

struct SplitText {
  QString title;  // with the shortcut column, if any
  QString subtitle;
};

// The option's text without the subtitle, and the subtitle.
SplitText split(const QString& text) {
  const qsizetype mark = text.indexOf(kSubtitleMark);
  if (mark < 0) return {text, {}};
  const qsizetype tab = text.indexOf(u'\t', mark);
  const qsizetype end = tab < 0 ? text.size() : tab;
  return {text.left(mark) + text.mid(end), text.mid(mark + 1, end - mark - 1)};
}

// Rounded up: a width rounded to the nearest pixel can be a fraction short
// of the text, which then comes out shortened.
int subtitleWidth(const QFont& font, const QString& subtitle) {
  const QFontMetricsF metrics(font);
  return qCeil(std::min(metrics.horizontalAdvance(subtitle), metrics.averageCharWidth() * kSubtitleCharacters));
}

// The space between the title and the subtitle.
int gap(const QFontMetrics& metrics) { return metrics.averageCharWidth() * 3; }

}  // namespace

int TrayMenuStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returned) const {
  if (hint == SH_Menu_Scrollable) return 1;
  if (hint == SH_MenuBar_AltKeyNavigation) return 0;
  return QProxyStyle::styleHint(hint, option, widget, returned);
}

QSize TrayMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || !item || !item->text.contains(kSubtitleMark)) {
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
  QStyleOptionMenuItem plain(*item);
  const SplitText text = split(item->text);
  plain.text = text.title;
  QSize result = QProxyStyle::sizeFromContents(type, &plain, size, widget);
  result.rwidth() += gap(item->fontMetrics) + subtitleWidth(item->font, text.subtitle);
  return result;
}

void TrayMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || !item || !item->text.contains(kSubtitleMark)) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  QStyleOptionMenuItem plain(*item);
  const SplitText text = split(item->text);
  plain.text = text.title;
  QProxyStyle::drawControl(element, &plain, painter, widget);

  // Right-aligned before the shortcut column and the submenu arrow.
  const QFontMetrics& metrics = item->fontMetrics;
  const int width = subtitleWidth(item->font, text.subtitle);
  const int right = item->rect.right() - item->reservedShortcutWidth - gap(metrics);
  const QRect area(right - width, item->rect.top(), width, item->rect.height());
  const bool selected = item->state & State_Selected;
  QColor colour = item->palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
  colour.setAlphaF(0.55f);
  painter->save();
  painter->setFont(item->font);
  painter->setPen(colour);
  painter->drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                    metrics.elidedText(text.subtitle, Qt::ElideMiddle, width));
  painter->restore();
}

}  // namespace wendaro
