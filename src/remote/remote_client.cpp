#include "remote/remote_client.h"

#include <gio/gio.h>

#include <memory>

#include "desktop/linux/glib_deleters.h"
#include "remote/remote_interface.h"

namespace wendaro::remote {

namespace {

using ErrorPtr = std::unique_ptr<GError, ErrorFree>;

bool isValidText(const std::string& text) {
  return g_utf8_validate(text.data(), static_cast<gssize>(text.size()), nullptr);
}

// The error's text for the user: the program's own answer as it gave it, or
// what kept the call from reaching it.
std::string problemOf(GError* raw) {
  ErrorPtr error(raw);
  if (g_dbus_error_is_remote_error(error.get())) {
    std::unique_ptr<gchar, decltype(&g_free)> name(g_dbus_error_get_remote_error(error.get()), &g_free);
    const std::string remoteName = name ? name.get() : "";
    if (remoteName == "org.freedesktop.DBus.Error.ServiceUnknown" ||
        remoteName == "org.freedesktop.DBus.Error.NameHasNoOwner") {
      return "no copy of wendaro is running in this desktop session (nothing owns " + std::string(kBusName) +
             " on the session bus)";
    }
    g_dbus_error_strip_remote_error(error.get());
  }
  return error->message;
}

}  // namespace

Reply callRunningProgram(const std::string& method, const std::optional<std::string>& argument,
                         const std::string& activationToken) {
  // D-Bus carries UTF-8 only. No app or category of the program has a name
  // that is not (the walk leaves such names out).
  if (argument && !isValidText(*argument)) {
    return {false, "\"" + *argument + "\" is not valid UTF-8, so it names nothing wendaro knows"};
  }

  GError* failure = nullptr;
  std::unique_ptr<GDBusConnection, GObjectUnref<GDBusConnection>> bus(g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, &failure));
  if (!bus) return {false, "cannot reach the session bus, where a running wendaro answers: " + problemOf(failure)};

  GVariantBuilder options;
  g_variant_builder_init(&options, G_VARIANT_TYPE_VARDICT);
  if (!activationToken.empty() && isValidText(activationToken)) {
    g_variant_builder_add(&options, "{sv}", kActivationTokenOption, g_variant_new_string(activationToken.c_str()));
  }
  GVariant* parameters = argument ? g_variant_new("(sa{sv})", argument->c_str(), &options)
                                  : g_variant_new("(a{sv})", &options);
  std::unique_ptr<GVariant, VariantUnref> result(
      g_dbus_connection_call_sync(bus.get(), kBusName, kObjectPath, kInterface, method.c_str(), parameters,
                                  G_VARIANT_TYPE_UNIT, G_DBUS_CALL_FLAGS_NO_AUTO_START, -1, nullptr, &failure));
  if (!result) return {false, problemOf(failure)};
  return {true, {}};
}

}  // namespace wendaro::remote
