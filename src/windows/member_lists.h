#pragma once

#include <string>
#include <vector>

namespace wendaro {

class AppDelegate;

// The member list the Apps window edits, chosen by its title and by whether
// it manages a built-in category: the built-in "Favorites" and "Menu Bar"
// keep their own lists, any other title names a user category, which may have
// no list (then nothing).
std::vector<std::string>* managedMemberList(AppDelegate& app);

}  // namespace wendaro
