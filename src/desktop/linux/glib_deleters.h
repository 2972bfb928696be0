#pragma once

#include <glib-object.h>

namespace wendaro {

// Deleters that hand GLib's objects back to GLib, for std::unique_ptr.
template <typename T>
struct GObjectUnref {
  void operator()(T* object) const { g_object_unref(object); }
};

struct VariantUnref {
  void operator()(GVariant* variant) const { g_variant_unref(variant); }
};

struct ErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};

struct KeyFileFree {
  void operator()(GKeyFile* file) const { g_key_file_free(file); }
};

}  // namespace wendaro
