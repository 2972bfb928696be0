#pragma once

#include <string>
#include <vector>

#include "platform/file_manager.h"

namespace wendaro {

// Where the system lists the file systems it mounts: those configured, those
// a mount helper mounted (optional), and those mounted now.
struct MountTables {
  std::string configured = "/etc/fstab";
  std::string helperMounted = "/run/mount/utab";
  std::string mounted = "/proc/self/mountinfo";
};

// The directories that a configured file system mounts on but that hold none
// now (a removable or network drive not mounted at login): the empty folder
// there stands for the drive, and is no sign that the drive's apps are gone.
std::vector<FileIdentity> unmountedMountPoints(const MountTables& tables);

}  // namespace wendaro
