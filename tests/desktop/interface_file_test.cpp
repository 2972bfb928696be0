#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "windows_fixture.h"

namespace wendaro {
namespace {

using testing::WindowsTest;
using InterfaceFileTest = WindowsTest;

TEST_F(InterfaceFileTest, TheManagementWindowsReportTheirClosingTheShortcutEditorNotYet) {
  for (QtWindow* window : {&ui.appsWindow, &ui.categoriesWindow, &ui.directoriesWindow, &ui.shortcutWindow}) {
    window->close();
  }
  EXPECT_EQ(rows.events, (std::vector<std::string>{"willClose Apps", "willClose Categories", "willClose Directories"}));
}

TEST_F(InterfaceFileTest, TabReachesEveryControlInOrder) {
  show(ui.categoriesWindow);
  ui.categoriesTableView.view().setFocus();
  std::vector<QWidget*> reached{QApplication::focusWidget()};
  for (int i = 0; i < 5; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(reached, (std::vector<QWidget*>{&ui.categoriesTableView.view(), &ui.addCategoryButton,
                                            &ui.removeCategoryButton, &ui.moveUpCategoryButton,
                                            &ui.moveDownCategoryButton, &ui.categoriesTableView.view()}));

  show(ui.directoriesWindow);
  ui.directoriesTableView.view().setFocus();
  reached = {QApplication::focusWidget()};
  for (int i = 0; i < 3; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    reached.push_back(QApplication::focusWidget());
  }
  EXPECT_EQ(reached, (std::vector<QWidget*>{&ui.directoriesTableView.view(), &ui.addDirectoryButton,
                                            &ui.removeDirectoryButton, &ui.revertDirectoriesButton}));
}

TEST_F(InterfaceFileTest, EscapeInATableClosesItsWindow) {
  show(ui.directoriesWindow);
  ui.directoriesTableView.view().setFocus();
  QTest::keyClick(&ui.directoriesTableView.view(), Qt::Key_Escape);
  EXPECT_FALSE(ui.directoriesWindow.widget().isVisible());
  EXPECT_EQ(rows.events, std::vector<std::string>{"willClose Directories"});
}

TEST_F(InterfaceFileTest, ButtonsSayWhatTheyDo) {
  for (QtWindow* window : {&ui.categoriesWindow, &ui.directoriesWindow}) {
    for (const QPushButton* button : window->widget().findChildren<QPushButton*>()) {
      EXPECT_FALSE(button->toolTip().isEmpty()) << button->objectName().toStdString();
    }
  }
}

TEST_F(InterfaceFileTest, ButtonsAnswerTheirMnemonics) {
  show(ui.categoriesWindow);
  for (const auto& [key, action] : {std::pair{Qt::Key_A, "addCategory"}, std::pair{Qt::Key_R, "removeCategory"},
                                    std::pair{Qt::Key_U, "moveUpCategory"}, std::pair{Qt::Key_D, "moveDownCategory"}}) {
    rows.events.clear();
    QTest::keyClick(&ui.categoriesWindow.widget(), key, Qt::AltModifier);
    // A mnemonic presses its button visibly, then clicks it.
    EXPECT_TRUE(QTest::qWaitFor([this] { return !rows.events.empty(); }));
    EXPECT_EQ(rows.events, std::vector<std::string>{action});
  }
  show(ui.directoriesWindow);
  rows.events.clear();
  QTest::keyClick(&ui.directoriesWindow.widget(), Qt::Key_V, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([this] { return !rows.events.empty(); }));
  EXPECT_EQ(rows.events, std::vector<std::string>{"revertDirectioriesToDefaults"});
}

TEST_F(InterfaceFileTest, TheEditorsImageViewShowsQtImagesAtTheirSize) {
  auto* label = ui.shortcutWindow.widget().findChild<QLabel*>("shortcutImageView");
  ASSERT_NE(label, nullptr);
  ui.shortcutImageView.setImage(std::make_shared<testing::TestImage>(14));
  EXPECT_EQ(label->pixmap().deviceIndependentSize(), QSizeF(14, 14));
  ui.shortcutImageView.setImage(nullptr);
  EXPECT_TRUE(label->pixmap().isNull());
}

}  // namespace
}  // namespace wendaro
