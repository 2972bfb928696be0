#include "desktop/qt/windows/interface_file.h"

#include <algorithm>

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include "ui_apps_window.h"
#include "ui_categories_window.h"
#include "ui_directories_window.h"
#include "ui_shortcut_window.h"

namespace wendaro {

struct InterfaceFile::Forms {
  Ui::AppsWindow apps;
  Ui::CategoriesWindow categories;
  Ui::DirectoriesWindow directories;
  Ui::ShortcutWindow shortcut;
  // Handed over to the windows.
  std::unique_ptr<FloatingWindow> appsWidget = std::make_unique<FloatingWindow>();
  std::unique_ptr<FloatingWindow> categoriesWidget = std::make_unique<FloatingWindow>();
  std::unique_ptr<FloatingWindow> directoriesWidget = std::make_unique<FloatingWindow>();
  std::unique_ptr<FloatingWindow> shortcutWidget = std::make_unique<FloatingWindow>();
  QtShortcutView* recorder = nullptr;

  explicit Forms(DefaultsStore& defaults) {
    apps.setupUi(appsWidget.get());
    categories.setupUi(categoriesWidget.get());
    directories.setupUi(directoriesWidget.get());
    shortcut.setupUi(shortcutWidget.get());
    recorder = new QtShortcutView(defaults, shortcut.shortcutRecorderArea);
    shortcut.shortcutRecorderLayout->addWidget(recorder);
  }
};

InterfaceFile::InterfaceFile(DefaultsStore& defaults) : InterfaceFile(std::make_unique<Forms>(defaults)) {}

InterfaceFile::InterfaceFile(std::unique_ptr<Forms> forms)
    : forms_(std::move(forms)),
      appsWindow(std::move(forms_->appsWidget)),
      categoriesWindow(std::move(forms_->categoriesWidget)),
      directoriesWindow(std::move(forms_->directoriesWidget)),
      shortcutWindow(std::move(forms_->shortcutWidget)),
      appsTableView(*forms_->apps.appsTableView),
      categoriesTableView(*forms_->categories.categoriesTableView),
      directoriesTableView(*forms_->directories.directoriesTableView),
      shortcutView(*forms_->recorder),
      shortcutImageView(*forms_->shortcut.shortcutImageView),
      addCategoryButton(*forms_->categories.addCategoryButton),
      removeCategoryButton(*forms_->categories.removeCategoryButton),
      moveUpCategoryButton(*forms_->categories.moveUpCategoryButton),
      moveDownCategoryButton(*forms_->categories.moveDownCategoryButton),
      addDirectoryButton(*forms_->directories.addDirectoryButton),
      removeDirectoryButton(*forms_->directories.removeDirectoryButton),
      revertDirectoriesButton(*forms_->directories.revertDirectoriesButton),
      nameRefusedLabel(*forms_->categories.nameRefusedLabel) {
  // The name takes the width that the icon and the check box leave. Widths
  // are not measured from the rows: that would draw every app's icon.
  appsTableView.setLayOutColumns([](QTableView& apps) {
    QHeaderView* header = apps.horizontalHeader();
    header->resizeSection(0, std::max(apps.iconSize().width() + 16, header->sectionSizeHint(0)));
    header->setSectionResizeMode(1, QHeaderView::Stretch);
    header->resizeSection(2, header->sectionSizeHint(2));
  });

  const auto send = [this](QPushButton& button, std::function<void()> WindowActions::*action) {
    QObject::connect(&button, &QPushButton::clicked, [this, action] {
      if (actions_.*action) (actions_.*action)();
    });
  };
  send(addCategoryButton, &WindowActions::addCategory);
  send(removeCategoryButton, &WindowActions::removeCategory);
  send(moveUpCategoryButton, &WindowActions::moveUpCategory);
  send(moveDownCategoryButton, &WindowActions::moveDownCategory);
  send(addDirectoryButton, &WindowActions::addDirectory);
  send(removeDirectoryButton, &WindowActions::removeDirectory);
  send(revertDirectoriesButton, &WindowActions::revertDirectioriesToDefaults);
  appsTableView.setCheckBoxAction([this] {
    if (actions_.toggleApp) actions_.toggleApp();
  });
  directoriesTableView.setDeleteAction([this] {
    if (actions_.removeDirectory) actions_.removeDirectory();
  });
  nameRefusedLabel.hide();
  categoriesTableView.setOnEditRefused([this](bool refused) { nameRefusedLabel.setVisible(refused); });
}

InterfaceFile::~InterfaceFile() = default;

void InterfaceFile::connect(TableViewDataSource& dataSource, ControlTextDelegate& textDelegate,
                            WindowDelegate& windowDelegate, WindowActions actions) {
  actions_ = std::move(actions);
  for (QtTableView* table : {&appsTableView, &categoriesTableView, &directoriesTableView}) {
    table->setTextDelegate(&textDelegate);
    table->setDataSource(&dataSource);
  }
  for (QtWindow* window : {&appsWindow, &categoriesWindow, &directoriesWindow}) window->setDelegate(&windowDelegate);
}

void InterfaceFile::disconnectTables() {
  for (QtWindow* window : {&appsWindow, &categoriesWindow, &directoriesWindow, &shortcutWindow}) {
    window->makeFirstResponder(nullptr);
  }
  for (QtTableView* table : {&appsTableView, &categoriesTableView, &directoriesTableView}) {
    table->setTextDelegate(nullptr);
    table->setDataSource(nullptr);
  }
}

}  // namespace wendaro
