#include "desktop/qt/model_menu.h"

#include <QLabel>
#include <QStyle>
#include <QWidgetAction>

#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_image_source.h"

namespace wendaro {

namespace {

// A title as a menu entry shows it literally: "&" would mark a mnemonic and a
// tab would start the shortcut column.
QString entryText(const std::string& title) {
  QString text = QString::fromStdString(title);
  text.replace(u'&', QStringLiteral("&&"));
  text.replace(u'\t', u' ');
  return text;
}

void applyState(QAction& action, int state) {
  const bool marked = state != kControlStateOff;
  if (action.isCheckable() != marked) action.setCheckable(marked);
  if (marked && action.isChecked() != (state == kControlStateOn)) action.setChecked(state == kControlStateOn);
}

}  // namespace

ModelMenu::ModelMenu(MenuRenderer& renderer, Menu& model, std::shared_ptr<Menu> keepAlive, QWidget* parent)
    : QMenu(parent), renderer_(renderer), model_(model), keepAlive_(std::move(keepAlive)) {
  connect(this, &QMenu::aboutToShow, this, &ModelMenu::aboutToShowMenu);
}

void ModelMenu::popUpPrepared(const std::function<QPoint(QSize)>& place) {
  bringUpToDate();
  // popup() announces the showing at once; it is prepared already.
  prepared_ = true;
  popup(place(sizeHint()));
  prepared_ = false;
}

void ModelMenu::aboutToShowMenu() {
  if (!prepared_) bringUpToDate();
}

void ModelMenu::bringUpToDate() {
  // The delegate first: what it does (closing a window rebuilds the menus)
  // is to show already.
  if (MenuDelegate* delegate = model_.delegate()) delegate->menuWillOpen(model_);
  if (!filled_ || filledRevision_ != model_.revision()) {
    fill();
  } else {
    syncStates();
  }
}

void ModelMenu::fill() {
  previousSubmenus_ = std::exchange(submenus_, {});
  entries_.clear();
  clear();
  entries_.reserve(model_.items().size());
  QList<QAction*> actions;
  actions.reserve(qsizetype(model_.items().size()));
  for (const MenuItemRef& item : model_.items()) {
    if (item->isSeparatorItem()) {
      auto* separator = new QAction(this);
      separator->setSeparator(true);
      actions << separator;
      continue;
    }
    QAction* action = makeAction(item);
    entries_.emplace_back(action, item);
    actions << action;
  }
  addActions(actions);
  // Submenus whose menu is gone from this one go with it.
  for (auto& [menu, submenu] : previousSubmenus_) delete submenu;
  previousSubmenus_.clear();
  filled_ = true;
  filledRevision_ = model_.revision();
}

void ModelMenu::syncStates() {
  for (auto& [action, item] : entries_) applyState(*action, item->state());
}

QAction* ModelMenu::makeAction(const MenuItemRef& item) {
  QAction* action = item->attributedTitle() ? makeTextEntry(QString::fromStdString(*item->attributedTitle()))
                                            : new QAction(entryText(item->title()), this);
  if (const QtImageSource* image = qtImageSource(item->image())) action->setIcon(image->icon());
  const QKeySequence keys = keySequenceForKeyEquivalent(item->keyEquivalent(), item->keyEquivalentModifierMask());
  if (!keys.isEmpty()) {
    action->setShortcut(keys);
    // Shown beside the entry; it acts only while the menu has the keyboard.
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
  }
  applyState(*action, item->state());
  if (item->submenu()) {
    action->setMenu(submenuFor(item->submenu()));
  } else if (item->action() == Action::None) {
    action->setEnabled(false);
  } else {
    connect(action, &QAction::triggered, &renderer_, [renderer = &renderer_, item] { renderer->perform(item); });
  }
  return action;
}

// An entry of text only, which may have several lines: drawn as a label in
// the look of a disabled entry, still plainly readable.
QAction* ModelMenu::makeTextEntry(const QString& text) {
  auto* action = new QWidgetAction(this);
  action->setText(text);
  auto* label = new QLabel(text);
  label->setTextFormat(Qt::PlainText);
  label->setForegroundRole(QPalette::PlaceholderText);
  const int margin = style()->pixelMetric(QStyle::PM_MenuHMargin, nullptr, this) + 6;
  label->setContentsMargins(margin + 20, 4, margin + 12, 4);
  action->setDefaultWidget(label);
  return action;
}

ModelMenu* ModelMenu::submenuFor(const std::shared_ptr<Menu>& submenu) {
  ModelMenu* shown = nullptr;
  if (auto kept = previousSubmenus_.find(submenu.get()); kept != previousSubmenus_.end()) {
    shown = kept->second;
    previousSubmenus_.erase(kept);
  } else if (auto made = submenus_.find(submenu.get()); made != submenus_.end()) {
    shown = made->second;
  } else {
    shown = new ModelMenu(renderer_, *submenu, submenu, this);
  }
  submenus_[submenu.get()] = shown;
  return shown;
}

}  // namespace wendaro
