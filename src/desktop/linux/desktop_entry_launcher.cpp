#include "desktop/linux/desktop_entry_launcher.h"

#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>

#include "desktop/linux/desktop_entry.h"
#include "desktop/linux/desktop_entry_reader.h"
#include "desktop/linux/glib_deleters.h"
#include "desktop/linux/startup_launch_context.h"
#include "platform/path_strings.h"

namespace wendaro {

namespace {

const char* const kGroup = "Desktop Entry";

using AppInfo = std::unique_ptr<GDesktopAppInfo, GObjectUnref<GDesktopAppInfo>>;
using LaunchContext = std::unique_ptr<GAppLaunchContext, GObjectUnref<GAppLaunchContext>>;

std::optional<std::string> foundProgram(const char* name) {
  gchar* path = g_find_program_in_path(name);
  if (!path) return std::nullopt;
  std::string found(path);
  g_free(path);
  return found;
}

// The same entry, its Exec line run by the terminal and Terminal off, since
// GLib knows only a few terminals by name. Without its file GLib cannot
// expand %k nor activate it over D-Bus, which a terminal program does not use.
AppInfo inTerminal(const std::string& path, const std::vector<std::string>& terminal, std::string& reason) {
  std::unique_ptr<GKeyFile, KeyFileFree> file(g_key_file_new());
  GError* error = nullptr;
  if (!g_key_file_load_from_file(file.get(), path.c_str(), G_KEY_FILE_KEEP_TRANSLATIONS, &error)) {
    reason = error->message;
    g_error_free(error);
    return nullptr;
  }
  gchar* exec = g_key_file_get_string(file.get(), kGroup, "Exec", nullptr);
  std::string command;
  for (const std::string& word : terminal) command += quotedExecArgument(word) + " ";
  command += exec ? exec : "";
  g_free(exec);
  g_key_file_set_string(file.get(), kGroup, "Exec", command.c_str());
  g_key_file_set_boolean(file.get(), kGroup, "Terminal", FALSE);
  return AppInfo(g_desktop_app_info_new_from_keyfile(file.get()));
}

struct ChildSetup {
  const char* home = nullptr;  // where a program without a Path of its own starts
};

// Runs in the child between fork and exec: only async-signal-safe calls.
void enterHome(gpointer data) {
  const auto* setup = static_cast<const ChildSetup*>(data);
  if (setup->home && ::chdir(setup->home) != 0) return;
}

}  // namespace

std::optional<std::vector<std::string>> terminalCommand() {
  if (auto found = foundProgram("xdg-terminal-exec")) return std::vector<std::string>{*found};
  if (auto found = foundProgram("x-terminal-emulator")) return std::vector<std::string>{*found, "-e"};
  const char* terminal = std::getenv("TERMINAL");
  if (terminal && *terminal) {
    if (auto found = foundProgram(terminal)) return std::vector<std::string>{*found, "-e"};
  }
  return std::nullopt;
}

LaunchOutcome launchDesktopEntry(const std::string& path, const std::vector<EnvironmentChange>& environment,
                                 StartupNotices* notices) {
  LaunchOutcome outcome;
  outcome.title = displayName(path);
  AppInfo info(g_desktop_app_info_new_from_filename(path.c_str()));
  if (!info) {
    // Our reader says why in words, and names the app as the menus do.
    const DesktopEntryReading reading = readDesktopEntry(path, DesktopEntryContext::fromEnvironment());
    if (!reading.title.empty()) outcome.title = reading.title;
    outcome.reason = reading.reason.empty() ? "it is not a desktop entry that can be started" : reading.reason;
    return outcome;
  }
  outcome.title = g_app_info_get_name(G_APP_INFO(info.get()));
  if (g_desktop_app_info_get_boolean(info.get(), "Terminal")) {
    const auto terminal = terminalCommand();
    if (!terminal) {
      outcome.reason = "it runs in a terminal, and none was found (install xdg-terminal-exec or set TERMINAL)";
      return outcome;
    }
    info = inTerminal(path, *terminal, outcome.reason);
    if (!info) return outcome;
  }
  LaunchContext context(notices ? newStartupLaunchContext(*notices) : g_app_launch_context_new());
  for (const EnvironmentChange& change : environment) {
    if (change.value) {
      g_app_launch_context_setenv(context.get(), change.name.c_str(), change.value->c_str());
    } else {
      g_app_launch_context_unsetenv(context.get(), change.name.c_str());
    }
  }
  gchar* ownPath = g_desktop_app_info_get_string(info.get(), "Path");
  ChildSetup setup{ownPath && *ownPath ? nullptr : g_get_home_dir()};
  g_free(ownPath);
  GError* error = nullptr;
  outcome.started = g_desktop_app_info_launch_uris_as_manager(info.get(), nullptr, context.get(), G_SPAWN_SEARCH_PATH,
                                                             enterHome, &setup, nullptr, nullptr, &error);
  if (!outcome.started) {
    outcome.reason = error ? error->message : "GIO could not start it";
    if (error) g_error_free(error);
  }
  return outcome;
}

}  // namespace wendaro
