#pragma once

#include <QProxyStyle>

namespace wendaro {

// The application's style with two changes for the tray's menus:
// - a menu taller than the screen scrolls instead of spreading into columns
//   (thousands of apps would make it wider than the screen);
// - pressing Alt leaves an open menu open, since Alt-clicking an entry is
//   how its shortcut is edited.
class TrayMenuStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returned = nullptr) const override {
    if (hint == SH_Menu_Scrollable) return 1;
    if (hint == SH_MenuBar_AltKeyNavigation) return 0;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace wendaro
