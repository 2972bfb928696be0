#include "desktop/linux/standard_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace wendaro {

void openClosedStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor: those below it are open by now.
    if (::open("/dev/null", O_RDONLY) != fd) ::_exit(127);
  }
}

}  // namespace wendaro
