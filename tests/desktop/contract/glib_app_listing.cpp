// What GLib reads in the environment it runs in: the languages of
// translations on a line, each followed by ":"; then the apps it lists
// (g_app_info_get_all, kept by g_app_info_should_show), each as its
// desktop-file ID and its name, each followed by a NUL byte.
#include <gio/gio.h>

#include <cstdio>

int main() {
  for (const gchar* const* name = g_get_language_names(); *name; ++name) std::printf("%s:", *name);
  std::printf("\n");
  GList* apps = g_app_info_get_all();
  for (GList* app = apps; app; app = app->next) {
    auto* info = G_APP_INFO(app->data);
    if (g_app_info_should_show(info)) std::printf("%s%c%s%c", g_app_info_get_id(info), 0, g_app_info_get_name(info), 0);
  }
  g_list_free_full(apps, g_object_unref);
  return 0;
}
