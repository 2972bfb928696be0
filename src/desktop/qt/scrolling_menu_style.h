#pragma once

#include <QProxyStyle>

namespace wendaro {

// The application's style, except that a menu taller than the screen scrolls
// instead of spreading into columns (thousands of apps would make it wider
// than the screen).
class ScrollingMenuStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                QStyleHintReturn* returned = nullptr) const override {
    if (hint == SH_Menu_Scrollable) return 1;
    return QProxyStyle::styleHint(hint, option, widget, returned);
  }
};

}  // namespace wendaro
