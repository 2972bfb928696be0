#pragma once

#include "platform/open_panel.h"

namespace wendaro {

// Sets up the panel in which the user picks directories or apps to watch:
// several at once, folders and app files alike.
void configureAddPanel(OpenPanel& panel);

}  // namespace wendaro
