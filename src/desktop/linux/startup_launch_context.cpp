#include "desktop/linux/startup_launch_context.h"

#include <gio/gdesktopappinfo.h>
#include <unistd.h>

#include <atomic>
#include <string>

namespace wendaro {

namespace {

struct StartupContext {
  GAppLaunchContext parent;
  StartupNotices* notices;
};

struct StartupContextClass {
  GAppLaunchContextClass parent;
};

// Values with spaces, quotes or backslashes are quoted, the last two escaped.
std::string messageValue(const std::string& value) {
  if (!value.empty() && value.find_first_of(" \"\\") == std::string::npos) return value;
  std::string quoted = "\"";
  for (char c : value) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

void addField(std::string& message, const char* key, const std::string& value) {
  message += std::string(" ") + key + "=" + messageValue(value);
}

std::string taken(gchar* text) {
  std::string result = text ? text : "";
  g_free(text);
  return result;
}

// A themed icon's first name, or an icon file's path.
std::string iconName(GAppInfo* info) {
  GIcon* icon = g_app_info_get_icon(info);
  if (icon && G_IS_THEMED_ICON(icon)) {
    const gchar* const* names = g_themed_icon_get_names(G_THEMED_ICON(icon));
    return names && names[0] ? names[0] : "";
  }
  if (icon && G_IS_FILE_ICON(icon)) return taken(g_file_get_path(g_file_icon_get_file(G_FILE_ICON(icon))));
  return {};
}

StartupNotices& noticesOf(GAppLaunchContext* context) {
  return *reinterpret_cast<StartupContext*>(context)->notices;
}

char* startupNotifyId(GAppLaunchContext* context, GAppInfo* info, GList*) {
  if (!G_IS_DESKTOP_APP_INFO(info)) return nullptr;
  GDesktopAppInfo* entry = G_DESKTOP_APP_INFO(info);
  // GIO 2.74 asks only for entries with StartupNotify=true; one that names
  // the class of its window would be announced too.
  const char* wmClass = g_desktop_app_info_get_startup_wm_class(entry);
  if (!wmClass && !g_desktop_app_info_get_boolean(entry, "StartupNotify")) return nullptr;

  StartupNotices& notices = noticesOf(context);
  static std::atomic<unsigned> sequence{0};
  const char* executable = g_app_info_get_executable(info);
  const std::string program = executable ? taken(g_path_get_basename(executable)) : "";
  const std::string name = g_app_info_get_name(info);
  const std::string id = "wendaro-" + std::to_string(::getpid()) + "-" + g_get_host_name() + "-" + program + "-" +
                         std::to_string(++sequence) + "_TIME" + std::to_string(notices.lastUserTime());

  std::string message = "new:";
  addField(message, "ID", id);
  addField(message, "NAME", name);
  addField(message, "SCREEN", std::to_string(notices.screen()));
  addField(message, "BIN", program);
  if (const std::string icon = iconName(info); !icon.empty()) addField(message, "ICON", icon);
  addField(message, "DESCRIPTION", "Starting " + name);
  if (wmClass) addField(message, "WMCLASS", wmClass);
  if (const auto desktop = notices.currentDesktop()) addField(message, "DESKTOP", std::to_string(*desktop));
  notices.broadcast(message);
  return g_strdup(id.c_str());
}

void launchFailed(GAppLaunchContext* context, const char* startupNotifyId) {
  std::string message = "remove:";
  addField(message, "ID", startupNotifyId);
  noticesOf(context).broadcast(message);
}

}  // namespace

}  // namespace wendaro

// GObject's type machinery wants these names outside any namespace.
using WendaroStartupContext = wendaro::StartupContext;
using WendaroStartupContextClass = wendaro::StartupContextClass;
G_DEFINE_TYPE(WendaroStartupContext, wendaro_startup_context, G_TYPE_APP_LAUNCH_CONTEXT)

static void wendaro_startup_context_init(WendaroStartupContext* self) { self->notices = nullptr; }

static void wendaro_startup_context_class_init(WendaroStartupContextClass* type) {
  GAppLaunchContextClass* context = G_APP_LAUNCH_CONTEXT_CLASS(type);
  context->get_startup_notify_id = wendaro::startupNotifyId;
  context->launch_failed = wendaro::launchFailed;
}

namespace wendaro {

GAppLaunchContext* newStartupLaunchContext(StartupNotices& notices) {
  auto* context = static_cast<StartupContext*>(g_object_new(wendaro_startup_context_get_type(), nullptr));
  context->notices = &notices;
  return G_APP_LAUNCH_CONTEXT(context);
}

}  // namespace wendaro
