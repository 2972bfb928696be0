#include "launch/option_key.h"

#include "app/app_delegate.h"

namespace wendaro {

// The flags held now, not those of the event being handled.
bool AppDelegate::isOptionKeyPressed() const { return isOptionOnly(platform.events.modifierFlags()); }

}  // namespace wendaro
