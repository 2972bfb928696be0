#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "desktop/qt/dialogs/qt_open_panel.h"
#include "discovery/add_panel.h"

namespace wendaro {
namespace {

TEST(ChoosableItemsTest, DirectoriesAndFilesOfTheAllowedTypes) {
  const ChoosableItems apps{.files = true, .directories = true, .fileTypes = {"app"}};
  EXPECT_TRUE(isChoosable("/opt/Tools", true, apps));
  EXPECT_TRUE(isChoosable("/opt/Tools.app", true, apps));
  EXPECT_TRUE(isChoosable("/opt/Editor.app", false, apps));
  EXPECT_FALSE(isChoosable("/opt/readme.txt", false, apps));
  EXPECT_FALSE(isChoosable("/opt/.app", false, apps));  // a hidden file, without extension
  EXPECT_FALSE(isChoosable("/opt/app", false, apps));

  const ChoosableItems anyFile{.files = true, .directories = false, .fileTypes = {}};
  EXPECT_TRUE(isChoosable("/opt/readme.txt", false, anyFile));
  EXPECT_FALSE(isChoosable("/opt/Tools", true, anyFile));
  const ChoosableItems directoriesOnly{.files = false, .directories = true, .fileTypes = {"app"}};
  EXPECT_FALSE(isChoosable("/opt/Editor.app", false, directoriesOnly));
}

// A directory of each kind of entry the add panel meets.
class OpenPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    QDir root(folder.path());
    ASSERT_TRUE(root.mkpath("Tools") && root.mkpath("Bundle.app"));
    for (const char* name : {"Editor.app", "readme.txt"}) {
      QFile file(root.filePath(name));
      ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(root.filePath("Tools"), root.filePath("Shortcut to Tools")));
  }

  // Configures a panel as the add action does and runs it with `answer`.
  std::unique_ptr<OpenPanel> runAddPanel(std::function<int(ChooseItemsDialog&)> answer) {
    QtOpenPanels panels([this, answer](ChooseItemsDialog& dialog) {
      dialog.setDirectory(folder.path());
      dialog.show();
      list = dialog.findChild<QListView*>("listView");
      EXPECT_TRUE(QTest::qWaitFor([&] { return list->model()->rowCount(list->rootIndex()) == 4; }));
      return answer(dialog);
    });
    auto panel = panels.openPanel();
    configureAddPanel(*panel);
    result = panel->runModal();
    return panel;
  }

  QStringList listed() const {
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
      names << list->model()->index(row, 0, list->rootIndex()).data().toString();
    names.sort();
    return names;
  }

  void select(const QString& name) {
    const QModelIndexList found = list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole,
                                                       name, 1, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    list->selectionModel()->select(found.front(), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  std::string path(const char* name) const { return QDir(folder.path()).filePath(name).toStdString(); }

  QTemporaryDir folder;
  QListView* list = nullptr;
  int result = -1;
};

TEST_F(OpenPanelTest, ShowsItsTextsAndListsDirectoriesAndAppsOnly) {
  runAddPanel([this](ChooseItemsDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Add Directory");
    EXPECT_EQ(dialog.acceptButton().text(), "Add");
    EXPECT_TRUE(dialog.acceptButton().isVisible());
    EXPECT_EQ(dialog.messageLabel().text(), "Select Apps or Directories");
    EXPECT_TRUE(dialog.messageLabel().isVisible());
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_EQ(listed(), (QStringList{"Bundle.app", "Editor.app", "Shortcut to Tools", "Tools"}));
    return QDialog::Rejected;
  });
}

TEST_F(OpenPanelTest, AddTakesDirectoriesAndAppsTogetherInTheOrderChosenWithLinksResolved) {
  auto panel = runAddPanel([this](ChooseItemsDialog& dialog) {
    select("Editor.app");
    select("Shortcut to Tools");
    select("Bundle.app");
    EXPECT_EQ(dialog.acceptButton().text(), "Add");
    EXPECT_TRUE(dialog.acceptButton().isEnabled());
    dialog.acceptButton().click();
    return dialog.result();
  });
  EXPECT_EQ(result, 1);
  std::vector<std::string> chosen;
  for (const Url& url : panel->URLs()) {
    EXPECT_TRUE(url.isFileURL());
    chosen.push_back(url.path());
  }
  const std::string tools = QFileInfo(QString::fromStdString(path("Tools"))).canonicalFilePath().toStdString();
  EXPECT_EQ(chosen, (std::vector<std::string>{path("Editor.app"), tools, path("Bundle.app")}));
}

TEST_F(OpenPanelTest, AFileOfAnotherTypeCannotBeAdded) {
  auto panel = runAddPanel([](ChooseItemsDialog& dialog) {
    dialog.findChild<QLineEdit*>("fileNameEdit")->setText("readme.txt");
    EXPECT_FALSE(dialog.acceptButton().isEnabled());
    dialog.accept();  // as Return in the name field would
    EXPECT_FALSE(dialog.isHidden());
    return dialog.result();
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(panel->URLs().empty());
}

TEST_F(OpenPanelTest, ACancelYieldsNothing) {
  auto panel = runAddPanel([this](ChooseItemsDialog& dialog) {
    select("Tools");
    dialog.reject();
    return dialog.result();
  });
  EXPECT_EQ(result, 0);
  EXPECT_TRUE(panel->URLs().empty());
}

}  // namespace
}  // namespace wendaro
