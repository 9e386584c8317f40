#include "platform/gio/GioLauncher.h"

#include <gio/gio.h>

#include <memory>

namespace tarnvik::platform {

namespace {

struct ObjectUnref {
  void operator()(gpointer p) const { g_object_unref(p); }
};
template <typename T>
using GObjectPtr = std::unique_ptr<T, ObjectUnref>;

// The content type the desktop would give the file. An empty file is typed
// "application/x-zerosize" by its contents, which no program claims; its
// name is the better guide then.
std::string ContentType(GFile* file) {
  GObjectPtr<GFileInfo> info(g_file_query_info(
      file, G_FILE_ATTRIBUTE_STANDARD_CONTENT_TYPE "," G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE,
      G_FILE_QUERY_INFO_NONE, nullptr, nullptr));
  if (!info) return {};
  const char* type = g_file_info_get_content_type(info.get());
  if (type == nullptr || g_content_type_equals(type, "application/x-zerosize")) {
    type =
        g_file_info_get_attribute_string(info.get(), G_FILE_ATTRIBUTE_STANDARD_FAST_CONTENT_TYPE);
  }
  return type != nullptr ? std::string(type) : std::string();
}

}  // namespace

bool GioLauncher::OpenDocument(const std::string& nativePath) {
  if (nativePath.empty() || nativePath.find('\0') != std::string::npos) return false;
  // The GFile keeps the path's bytes as they are; a relative path is taken
  // from the working directory.
  GObjectPtr<GFile> file(g_file_new_for_path(nativePath.c_str()));
  const std::string type = ContentType(file.get());
  if (type.empty()) return false;
  GObjectPtr<GAppInfo> app(g_app_info_get_default_for_type(type.c_str(), FALSE));
  if (!app) return false;
  GList files{file.get(), nullptr, nullptr};
  GError* error = nullptr;
  const gboolean started = g_app_info_launch(app.get(), &files, nullptr, &error);
  if (error != nullptr) g_error_free(error);
  return started != FALSE;
}

}  // namespace tarnvik::platform
