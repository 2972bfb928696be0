#pragma once

namespace wendaro {

class Menu;

// Apps of the same title in entries [begin, end) of the menu, which are in
// app name order, are told apart: each such entry shows the folder its app is
// in as its subtitle. Other entries, and the titles, stay as they are.
void showFoldersOfSameTitles(Menu& menu, long begin, long end);

}  // namespace wendaro
