#include "desktop/qt/menu_renderer.h"

#include "desktop/qt/model_menu.h"

namespace wendaro {

MenuRenderer::MenuRenderer(Application& application) : application_(application) {}

MenuRenderer::~MenuRenderer() = default;

QMenu* MenuRenderer::menuFor(Menu& menu) {
  auto& shown = menus_[&menu];
  if (!shown) shown = std::make_unique<ModelMenu>(*this, menu, nullptr, nullptr);
  return shown.get();
}

void MenuRenderer::popUp(Menu& menu, const std::function<QPoint(QSize)>& place) {
  static_cast<ModelMenu*>(menuFor(menu))->popUpPrepared(place);
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

}  // namespace wendaro
