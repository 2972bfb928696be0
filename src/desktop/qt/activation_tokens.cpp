#include "desktop/qt/activation_tokens.h"

#include <QtGlobal>

#include <utility>

namespace wendaro {

namespace {

constexpr const char* kTokenVariable = "XDG_ACTIVATION_TOKEN";

}  // namespace

ActivationTokens::ActivationTokens() : ownToken_(qEnvironmentVariable(kTokenVariable)) {}

void ActivationTokens::offer(const QString& token) {
  trayHostToken();
  pending_ = token;
}

QString ActivationTokens::take() {
  // The tray host's token comes with the click that started this launch, so
  // it is newer than any other.
  const QString fromTrayHost = trayHostToken();
  if (!fromTrayHost.isEmpty()) pending_ = fromTrayHost;
  return std::exchange(pending_, QString());
}

void ActivationTokens::discard() {
  trayHostToken();
  pending_.clear();
}

QString ActivationTokens::trayHostToken() {
  const QString token = qEnvironmentVariable(kTokenVariable);
  // The program's own start token is left to Qt, for its own windows.
  if (token.isEmpty() || token == ownToken_) return {};
  qunsetenv(kTokenVariable);
  return token;
}

}  // namespace wendaro
