#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

#include "desktop/linux/desktop_entry_launcher.h"

namespace wendaro {

// Sets a variable for this program's own use (such as the offscreen
// platform of a run that shows nothing). Programs it launches get the
// user's own value back, or none.
void setOwnVariable(const char* name, const QByteArray& value);

// How the environment of a launched program differs from this program's,
// built in this one place for every way of launching: the user's own values
// back, this program's start tokens gone, and the activation token for this
// one launch when there is one.
std::vector<EnvironmentChange> childEnvironmentChanges(const QString& activationToken = {});

}  // namespace wendaro
