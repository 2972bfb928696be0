#include "desktop/qt/activation_tokens.h"

#include <QtGlobal>

namespace wendaro {

namespace {

// Where the token waits. Qt's StatusNotifierItem puts the token that the
// tray host provides into this variable of the process's environment, so
// the tokens of other callers wait there too.
constexpr const char* kTokenVariable = "XDG_ACTIVATION_TOKEN";
// The startup notification of an X desktop: this process's own as well.
constexpr const char* kStartupIdVariable = "DESKTOP_STARTUP_ID";

}  // namespace

ActivationTokens::ActivationTokens() {
  qunsetenv(kTokenVariable);
  qunsetenv(kStartupIdVariable);
}

void ActivationTokens::offer(const QString& token) {
  if (token.isEmpty()) return;
  qputenv(kTokenVariable, token.toUtf8());
}

QString ActivationTokens::take() {
  const QString token = qEnvironmentVariable(kTokenVariable);
  qunsetenv(kTokenVariable);
  return token;
}

void ActivationTokens::discard() { qunsetenv(kTokenVariable); }

}  // namespace wendaro
