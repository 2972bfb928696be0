#include "desktop/qt/menu_renderer.h"

#include <QAbstractEventDispatcher>

#include "desktop/qt/model_menu.h"
#include "desktop/qt/tray_menu_style.h"

namespace wendaro {

namespace {

// Entries drawn per step of the idle work: a few milliseconds.
constexpr std::size_t kEntriesPerStep = 250;

}  // namespace

MenuRenderer::MenuRenderer(Application& application)
    : application_(application), style_(std::make_unique<TrayMenuStyle>()) {
  preparing_.setInterval(0);
  connect(&preparing_, &QTimer::timeout, this, [this] {
    if (!prepareStep()) preparing_.stop();
  });
}

MenuRenderer::~MenuRenderer() = default;

QMenu* MenuRenderer::menuFor(Menu& menu) {
  auto& shown = menus_[&menu];
  if (!shown) shown = std::make_unique<ModelMenu>(*this, menu, nullptr, nullptr);
  return shown.get();
}

void MenuRenderer::popUp(Menu& menu, const std::function<QPoint(QSize)>& place) {
  static_cast<ModelMenu*>(menuFor(menu))->popUpPrepared(place);
}

void MenuRenderer::prepareWhenIdle() {
  // The core changes menus inside event handlers; the loop's going idle after
  // them is the moment to look.
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &MenuRenderer::idle, Qt::UniqueConnection);
}

void MenuRenderer::idle() {
  if (!preparing_.isActive() && prepareStep()) preparing_.start();
}

bool MenuRenderer::prepareStep() {
  std::size_t budget = kEntriesPerStep;
  for (auto& [model, menu] : menus_) {
    if (menu->prepareStep(budget)) return true;
  }
  return false;
}

void MenuRenderer::perform(const MenuItemRef& item) {
  if (item->target() == ActionTarget::Updater) {
    if (updater_) updater_->checkForUpdates();
    return;
  }
  if (auto* responder = dynamic_cast<ActionResponder*>(application_.delegate())) {
    responder->performMenuItemAction(*item);
  }
}

void MenuRenderer::editShortcut(const MenuItemRef& item) {
  if (auto* responder = dynamic_cast<ActionResponder*>(application_.delegate())) {
    responder->performShortcutEditing(item.get());
  }
}

}  // namespace wendaro
