#include "desktop/qt/model_menu.h"

#include <QKeyEvent>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionMenuItem>
#include <QWidgetAction>

#include "desktop/qt/key_equivalent.h"
#include "desktop/qt/menu_renderer.h"
#include "desktop/qt/qt_image_source.h"
#include "desktop/qt/tray_menu_style.h"

namespace wendaro {

namespace {

// A title as a menu entry shows it literally: "&" would mark a mnemonic and a
// tab would start the shortcut column. A tray host that draws the menu itself
// (over StatusNotifierItem) reads the entries' texts with an underscore as
// its mnemonic mark: there an underscore is written twice, and the menu drawn
// here shows it once (initStyleOption).
QString entryText(const std::string& title) {
  QString text = QString::fromStdString(title);
  text.replace(u'&', QStringLiteral("&&"));
  text.replace(u'\t', u' ');
  text.replace(u'_', QStringLiteral("__"));
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
  setStyle(renderer_.style());
  // Text in scripts that need shaping is still shaped; plain text is measured
  // without, which halves the time a menu of thousands of apps takes to open.
  QFont measuredPlainly;
  measuredPlainly.setStyleStrategy(QFont::PreferNoShaping);
  setFont(measuredPlainly);
  connect(this, &QMenu::aboutToShow, this, &ModelMenu::aboutToShowMenu);
  connect(this, &QMenu::triggered, this, &ModelMenu::entryTriggered);
}

void ModelMenu::popUpPrepared(const std::function<QPoint(QSize)>& place) {
  bringUpToDate();
  // popup() announces the showing at once; it is prepared already.
  prepared_ = true;
  popup(place(sizeHint()));
  prepared_ = false;
}

void ModelMenu::aboutToShowMenu() {
  typed_.reset();
  if (!prepared_) bringUpToDate();
}

void ModelMenu::bringUpToDate() {
  // The delegate first: what it does (closing a window rebuilds the menus)
  // is to show already.
  if (MenuDelegate* delegate = model_.delegate()) delegate->menuWillOpen(model_);
  if (isCurrent()) {
    syncStates();
  } else {
    restart();
  }
  addEntries(snapshot_.size() - next_);
}

bool ModelMenu::prepareStep(std::size_t& budget) {
  if (isVisible()) {
    // A shown menu is left as it is; its closed submenus are still prepared,
    // so that one opened later from it is ready.
    if (!isComplete()) return false;
  } else {
    // Only a top-level menu is emptied in place; a submenu that fell behind
    // is replaced by its parent before it is prepared again.
    if (!isCurrent()) {
      if (!actions().isEmpty() && keepAlive_) return false;
      restart();
    }
    budget -= addEntries(std::min(budget, snapshot_.size() - next_));
    if (!isComplete()) return true;
  }
  for (auto& [menu, submenu] : submenus_) {
    if (submenu.menu->prepareStep(budget)) return true;
  }
  return false;
}

void ModelMenu::restart() {
  previousSubmenus_.merge(submenus_);
  submenus_.clear();
  entries_.clear();
  if (!actions().isEmpty()) clear();
  started_ = true;
  builtRevision_ = model_.revision();
  snapshot_ = model_.items();
  next_ = 0;
  entries_.resize(snapshot_.size());
}

// Entries are drawn from the last up, each in front of the one drawn before:
// QWidget::insertAction looks for the entry it inserts before from the top,
// so appending (before no entry) would search every entry there is, and a
// menu of thousands would take time that grows with the square of its size.
std::size_t ModelMenu::addEntries(std::size_t count) {
  if (count == 0 && next_ < snapshot_.size()) return 0;
  for (std::size_t drawn = 0; drawn < count; ++drawn, ++next_) {
    const std::size_t index = snapshot_.size() - 1 - next_;
    QAction* action = makeAction(snapshot_[index], index);
    entries_[index] = action;
    insertAction(next_ == 0 ? nullptr : entries_[index + 1], action);
  }
  if (next_ == snapshot_.size()) {
    // Submenus whose menu is gone from this one go with it.
    for (auto& [menu, submenu] : previousSubmenus_) delete submenu.menu;
    previousSubmenus_.clear();
    replaceOutdatedSubmenus();
  }
  return count;
}

void ModelMenu::replaceOutdatedSubmenus() {
  for (auto& [menu, submenu] : submenus_) {
    if (submenu.menu->actions().isEmpty() || submenu.menu->isCurrent() || submenu.menu->isVisible()) continue;
    auto* fresh = new ModelMenu(renderer_, submenu.menu->model_, submenu.menu->keepAlive_, this);
    submenu.entry->setMenu(fresh);
    delete std::exchange(submenu.menu, fresh);
  }
}

void ModelMenu::syncStates() {
  for (std::size_t index = 0; index < entries_.size(); ++index) {
    const MenuItem& item = *snapshot_[index];
    if (entries_[index] && !item.isSeparatorItem()) applyState(*entries_[index], item.state());
  }
}

// Chosen entries of submenus are announced here too; each menu answers for
// its own.
void ModelMenu::entryTriggered(QAction* action) {
  if (action->parent() != this) return;
  const auto index = action->data().value<qulonglong>();
  if (index >= entries_.size() || entries_[index] != action) return;
  const MenuItemRef item = snapshot_[index];  // what it does may fill the menu anew
  renderer_.perform(item);
}

QAction* ModelMenu::makeAction(const MenuItemRef& item, std::size_t index) {
  if (item->isSeparatorItem()) {
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    return separator;
  }
  QAction* action = item->attributedTitle() ? makeTextEntry(QString::fromStdString(*item->attributedTitle()))
                                            : new QAction(entryText(item->title()), this);
  action->setData(qulonglong(index));
  if (const QtImageSource* image = qtImageSource(item->image())) action->setIcon(image->icon());
  if (!item->keyEquivalent().empty()) {
    const QKeySequence keys = keySequenceForKeyEquivalent(item->keyEquivalent(), item->keyEquivalentModifierMask());
    action->setShortcut(keys);
    // Shown beside the entry; it acts only while the menu has the keyboard.
    action->setShortcutContext(Qt::WidgetShortcut);
    action->setShortcutVisibleInContextMenu(true);
  }
  applyState(*action, item->state());
  if (item->submenu()) {
    action->setMenu(submenuFor(item->submenu(), action));
  } else if (item->action() == Action::None) {
    action->setEnabled(false);
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

const MenuItem* ModelMenu::itemOf(const QAction* action) const {
  if (!action || action->parent() != this) return nullptr;
  const auto index = action->data().value<qulonglong>();
  if (index >= entries_.size() || entries_[index] != action) return nullptr;
  return snapshot_[index].get();
}

void ModelMenu::keyPressEvent(QKeyEvent* event) {
  const bool isReturn = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (isReturn && (event->modifiers() & ~Qt::KeypadModifier) == Qt::AltModifier) {
    editShortcutOfActiveEntry();
    return;
  }
  if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) &&
      typed_.takes(event->text())) {
    typed_.add(event->text());
    selectTypedEntry();
    return;
  }
  QMenu::keyPressEvent(event);
}

void ModelMenu::selectTypedEntry() {
  for (std::size_t index = 0; index < snapshot_.size(); ++index) {
    QAction* entry = entries_[index];
    if (!entry || entry->isSeparator() || !entry->isEnabled()) continue;
    if (typed_.matches(QString::fromStdString(snapshot_[index]->title()))) {
      setActiveAction(entry);
      // Selecting opens an entry's submenu as hovering does, and the submenu
      // would take the keys still being typed: it opens with Right or Return,
      // as after the arrow keys.
      if (QMenu* submenu = entry->menu(); submenu && submenu->isVisible()) submenu->hide();
      return;
    }
  }
}

// The editor opens once the menus are closed: they hold the keyboard.
void ModelMenu::editShortcutOfActiveEntry() {
  const MenuItemRef item = [&]() -> MenuItemRef {
    const QAction* active = activeAction();
    if (!active) return nullptr;
    const auto index = active->data().value<qulonglong>();
    return itemOf(active) ? snapshot_[index] : nullptr;
  }();
  for (QWidget* menu = this; dynamic_cast<ModelMenu*>(menu); menu = menu->parentWidget()) menu->hide();
  renderer_.editShortcut(item);
}

// An entry with a subtitle draws it dimmed beside its title (TrayMenuStyle).
void ModelMenu::initStyleOption(QStyleOptionMenuItem* option, const QAction* action) const {
  QMenu::initStyleOption(option, action);
  option->text.replace(QStringLiteral("__"), QStringLiteral("_"));
  const MenuItem* item = itemOf(action);
  if (!item || item->subtitle().empty()) return;
  const qsizetype tab = option->text.indexOf(u'\t');
  option->text.insert(tab < 0 ? option->text.size() : tab,
                      kSubtitleMark + QString::fromStdString(item->subtitle()));
}

ModelMenu* ModelMenu::submenuFor(const std::shared_ptr<Menu>& submenu, QAction* entry) {
  Submenu shown;
  if (auto kept = previousSubmenus_.find(submenu.get()); kept != previousSubmenus_.end()) {
    shown = kept->second;
    previousSubmenus_.erase(kept);
  } else if (auto made = submenus_.find(submenu.get()); made != submenus_.end()) {
    shown = made->second;
  } else {
    shown.menu = new ModelMenu(renderer_, *submenu, submenu, this);
  }
  shown.entry = entry;
  submenus_[submenu.get()] = shown;
  return shown.menu;
}

}  // namespace wendaro
