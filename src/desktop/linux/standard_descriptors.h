#pragma once

namespace wendaro {

// Opens each of the descriptors 0, 1 and 2 that the caller left closed, on
// /dev/null, before the program opens anything else. A closed one would be
// the next file opened, and what is meant for standard output (the menu)
// would go into that file (the settings lock). It is opened for reading only,
// so that writing to a stream the caller closed still fails as it would have.
// Without /dev/null the program cannot run safely and exits with status 127.
void openClosedStandardDescriptors();

}  // namespace wendaro
