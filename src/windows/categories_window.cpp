#include <algorithm>

#include "app/app_delegate.h"
#include "windows/category_names.h"
#include "windows/table_rows.h"

namespace wendaro {

namespace {

constexpr const char* kNewCategoryName = "New Category";

}  // namespace

void AppDelegate::addCategory() {
  categoriesWindow->makeFirstResponder(nullptr);
  const std::string name = uniqueCategoryName(kNewCategoryName, categories);
  categories.push_back(name);
  categoriesApps[name] = {};
  categoriesTableView->reloadData();
  const long row = std::find(categories.begin(), categories.end(), name) - categories.begin();
  categoriesTableView->selectRowIndexes(row, false);
  categoriesTableView->editColumn(0, row, true);
  saveCategories();
  rebuildCategoryItems();
}

void AppDelegate::removeCategory() {
  // Ending the editing first applies a name being typed, then the row goes.
  categoriesWindow->makeFirstResponder(nullptr);
  const long row = categoriesTableView->selectedRow();
  if (!isRowOf(categories, row)) return;
  const std::string name = categories[row];
  categories.erase(categories.begin() + row);
  categoriesApps.erase(name);
  forgetShortcut(name, true);
  categoriesTableView->reloadData();
  saveCategories();
  rebuildCategoryItems();
}

void AppDelegate::moveUpCategory() {
  const long row = categoriesTableView->selectedRow();
  if (row < 1 || !isRowOf(categories, row)) return;
  moveCategory(row, -1);
}

void AppDelegate::moveDownCategory() {
  const long row = categoriesTableView->selectedRow();
  if (row < 0 || row >= static_cast<long>(categories.size()) - 1) return;
  moveCategory(row, +1);
}

void AppDelegate::moveCategory(long index, long step) {
  const std::string name = categories[index];
  categories.erase(categories.begin() + index);
  categories.insert(categories.begin() + index + step, name);
  categoriesTableView->reloadData();
  categoriesTableView->selectRowIndexes(index + step, false);
  saveCategories();
  rebuildCategoryItems();
}

bool AppDelegate::controlTextShouldEndEditing(TableView&, const std::string& text) {
  return isAcceptableCategoryName(text);
}

// A name was edited in place: the category takes the typed name (made unique
// against the others) and keeps its members and its shortcut.
void AppDelegate::controlTextDidEndEditing(TableView& control) {
  if (&control != categoriesTableView) return;
  TableCell* cell = control.selectedCell();
  const long row = control.selectedRow();
  if (!cell || !isRowOf(categories, row)) return;
  const std::string typed = cell->stringValue();
  const std::string oldName = categories[row];

  std::optional<std::vector<std::string>> members;
  if (auto found = categoriesApps.find(oldName); found != categoriesApps.end()) {
    members = std::move(found->second);
    categoriesApps.erase(found);
  }
  // The old name must not count against the new one.
  categories[row].clear();
  const std::string newName = uniqueCategoryName(typed, categories);
  categories[row] = newName;
  if (members) {
    categoriesApps[newName] = std::move(*members);
  } else {
    categoriesApps.erase(newName);
  }
  if (newName != oldName) {
    // Its shortcut goes with it. An entry already under the new name is no
    // category's (the names are unique) and goes.
    forgetShortcut(newName, true);
    if (moveShortcut(oldName, newName, true)) saveShortcutsIndex();
    // An Apps window that manages the category follows it to its new name, so
    // that it keeps showing and changing the same members.
    if (!managingHardcodedCategory && appsWindow->title() == oldName) {
      appsWindow->setTitle(newName);
      appsTableView->reloadData();
    }
  }
  saveCategories();
  rebuildCategoryItems();
}

}  // namespace wendaro
