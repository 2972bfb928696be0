#pragma once

#include <QProxyStyle>

namespace wendaro {

// Separates an entry's title from its subtitle in the text of a menu item's
// style option (ModelMenu puts it there).
inline constexpr QChar kSubtitleMark = u'\x1f';

// The application's style with three changes for the tray's menus:
// - a menu taller than the screen scrolls instead of spreading into columns
//   (thousands of apps would make it wider than the screen);
// - pressing Alt leaves an open menu open, since Alt-clicking an entry is
//   how its shortcut is edited;
// - an entry's subtitle is drawn dimmed beside its title, towards the right,
//   and the menu is made wide enough for it.
class TrayMenuStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returned = nullptr) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

}  // namespace wendaro
