#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/url.h"

namespace wendaro {

// A modal dialog for choosing files and directories.
class OpenPanel {
 public:
  virtual ~OpenPanel() = default;
  virtual void setPrompt(const std::string& prompt) = 0;
  virtual void setWorksWhenModal(bool flag) = 0;
  virtual void setAllowsMultipleSelection(bool flag) = 0;
  virtual void setCanChooseDirectories(bool flag) = 0;
  virtual void setCanChooseFiles(bool flag) = 0;
  virtual void setAllowedFileTypes(const std::vector<std::string>& types) = 0;
  virtual void setResolvesAliases(bool flag) = 0;
  virtual void setTitle(const std::string& title) = 0;
  virtual void setMessage(const std::string& message) = 0;
  // Shows the panel and returns when the user confirms or cancels.
  virtual int runModal() = 0;
  // The chosen items; none after a cancel.
  virtual std::vector<Url> URLs() const = 0;
};

class OpenPanels {
 public:
  virtual ~OpenPanels() = default;
  virtual std::unique_ptr<OpenPanel> openPanel() = 0;
};

}  // namespace wendaro
