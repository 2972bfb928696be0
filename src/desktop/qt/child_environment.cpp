#include "desktop/qt/child_environment.h"

#include <QMap>
#include <QString>
#include <QtGlobal>

#include <optional>
#include <string>

namespace wendaro {

namespace {

// The desktop's tokens for this program's own start, never for another's.
const char* const kOwnStartTokens[] = {"XDG_ACTIVATION_TOKEN", "DESKTOP_STARTUP_ID"};

// Each variable set with setOwnVariable and the user's value before it.
QMap<QByteArray, std::optional<QByteArray>>& userValues() {
  static QMap<QByteArray, std::optional<QByteArray>> values;
  return values;
}

}  // namespace

void setOwnVariable(const char* name, const QByteArray& value) {
  if (!userValues().contains(name)) {
    userValues().insert(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
  }
  qputenv(name, value);
}

std::vector<EnvironmentChange> childEnvironmentChanges(const QString& activationToken) {
  std::vector<EnvironmentChange> changes;
  for (const char* name : kOwnStartTokens) changes.push_back({name, std::nullopt});
  if (!activationToken.isEmpty()) changes.push_back({"XDG_ACTIVATION_TOKEN", activationToken.toStdString()});
  for (auto it = userValues().cbegin(); it != userValues().cend(); ++it) {
    changes.push_back({it.key().toStdString(), it.value() ? std::optional(it.value()->toStdString()) : std::nullopt});
  }
  return changes;
}

}  // namespace wendaro
