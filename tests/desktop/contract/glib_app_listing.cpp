// What GLib lists as applications for the environment it runs in: each app
// that g_app_info_get_all() gives and g_app_info_should_show() keeps, as its
// desktop-file ID and its name (g_app_info_get_name), each followed by a NUL
// byte. With --languages, the language names GLib uses for translations, one
// a line.
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--languages") == 0) {
    for (const gchar* const* name = g_get_language_names(); *name; ++name) std::printf("%s\n", *name);
    return 0;
  }
  GList* apps = g_app_info_get_all();
  for (GList* app = apps; app; app = app->next) {
    auto* info = G_APP_INFO(app->data);
    if (!g_app_info_should_show(info)) continue;
    std::fputs(g_app_info_get_id(info), stdout);
    std::fputc('\0', stdout);
    std::fputs(g_app_info_get_name(info), stdout);
    std::fputc('\0', stdout);
  }
  g_list_free_full(apps, g_object_unref);
  return 0;
}
