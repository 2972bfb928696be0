#pragma once

#include <gio/gio.h>

#include "desktop/linux/startup_notices.h"

namespace wendaro {

// A launch context that gives each start of a desktop entry asking for
// launch feedback (StartupNotify=true or a StartupWMClass) a startup ID,
// which GIO hands to the program as DESKTOP_STARTUP_ID, and announces it
// through `notices`; a start that fails is taken back. `notices` must
// outlive the context. The caller owns the returned reference.
GAppLaunchContext* newStartupLaunchContext(StartupNotices& notices);

}  // namespace wendaro
