#pragma once

namespace wendaro {

// Makes themed icons available in every session: the icon directories of the
// XDG data directories are searched, and when the desktop names no theme (as
// on the offscreen platform) an installed one is chosen, with "hicolor" as the
// fallback theme. Names no theme has are also looked for in each data
// directory's "pixmaps" folder, as desktops do.
void configureIconTheme();

}  // namespace wendaro
