#pragma once

#include <string>

namespace wendaro::testing_support {

// The end of every main menu: the separator below All Apps, Manage, More and Quit.
inline const std::string kMainMenuEnd =
    "---\n"
    "Manage\n"
    "  Menu Bar\n"
    "  Favorites\n"
    "  Categories\n"
    "  Directories\n"
    "  Keyboard\n"
    "    You can manage keyboard shortcuts by holding\\nthe Option/Alt key while clicking on:\\n"
    "- Wendaro's menu bar icon,\\n- app's menu item,\\n- app's menu bar icon,\\n"
    "- \"Launch All\" item in category's menu.\n"
    "More\n"
    "  Launch at Startup\n"
    "  Check for Updates\n"
    "  Questions/Problems/Suggestions\n"
    "Quit\n";

}  // namespace wendaro::testing_support
