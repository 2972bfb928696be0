#pragma once

#include <functional>
#include <memory>

#include "desktop/qt/dialogs/choose_items_dialog.h"
#include "platform/open_panel.h"

namespace wendaro {

// Runs a configured dialog and returns its result (QDialog::Accepted or
// Rejected). The program runs it modally; tests answer it in place.
using DialogRunner = std::function<int(ChooseItemsDialog&)>;

// The open panel over a Qt file dialog. `runModal` gives 1 when the user
// chose, 0 when they cancelled; `URLs` then yields the chosen items as file
// URLs in the order chosen, none after a cancel. The dialog stands above the
// window that is active when it runs.
class QtOpenPanel final : public OpenPanel {
 public:
  explicit QtOpenPanel(DialogRunner runner);

  void setPrompt(const std::string& prompt) override;
  // A Qt dialog always works while another window is modal.
  void setWorksWhenModal(bool) override {}
  void setAllowsMultipleSelection(bool flag) override;
  void setCanChooseDirectories(bool flag) override;
  void setCanChooseFiles(bool flag) override;
  void setAllowedFileTypes(const std::vector<std::string>& types) override;
  void setResolvesAliases(bool flag) override;
  void setTitle(const std::string& title) override;
  void setMessage(const std::string& message) override;
  int runModal() override;
  std::vector<Url> URLs() const override { return urls_; }

 private:
  DialogRunner runner_;
  std::unique_ptr<ChooseItemsDialog> dialog_;
  std::vector<Url> urls_;
};

class QtOpenPanels final : public OpenPanels {
 public:
  // Without a runner, panels run their dialog modally (`exec`).
  explicit QtOpenPanels(DialogRunner runner = {});
  std::unique_ptr<OpenPanel> openPanel() override;

 private:
  DialogRunner runner_;
};

}  // namespace wendaro
