#include "discovery/add_panel.h"

namespace wendaro {

void configureAddPanel(OpenPanel& panel) {
  panel.setPrompt("Add");
  panel.setWorksWhenModal(true);
  panel.setAllowsMultipleSelection(true);
  panel.setCanChooseDirectories(true);
  panel.setCanChooseFiles(true);
  panel.setAllowedFileTypes({"app"});
  panel.setResolvesAliases(true);
  panel.setTitle("Add Directory");
  panel.setMessage("Select Apps or Directories");
}

}  // namespace wendaro
