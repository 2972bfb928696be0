// Development scaffold: callbacks of subsystems that have not landed yet, so
// that the application object links meanwhile. Each definition moves to its
// subsystem's folder when that lands; the file goes when it is empty.
#include "app/app_delegate.h"

namespace wendaro {

void AppDelegate::mouseDown(StatusBarButton&) {}
void AppDelegate::mouseUp(StatusBarButton&) {}
void AppDelegate::didCloseMenu(StatusBarButton&, Menu&) {}

}  // namespace wendaro
