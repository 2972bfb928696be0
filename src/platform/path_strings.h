#pragma once

#include <string>
#include <string_view>

// String operations on "/"-separated paths. Runs of slashes count as one and
// a trailing slash is ignored. A last component that starts with a dot (".app",
// "..") has no extension.
namespace wendaro {

// "/tmp/scratch.tiff" -> "scratch.tiff", "/tmp/" -> "tmp", "/" -> "/", "" -> "".
std::string lastPathComponent(std::string_view path);
// "/tmp/scratch.tiff" -> "/tmp/scratch", "/tmp/" -> "/tmp", ".tiff" -> ".tiff".
std::string stringByDeletingPathExtension(std::string_view path);
// "/tmp/scratch.tiff" -> "tiff", "/tmp/scratch" -> "", ".tiff" -> "".
std::string pathExtension(std::string_view path);

// The display name of an app path: its extension removed, then its last
// component ("/opt/apps/Quill Pad.app" -> "Quill Pad"). The view form points into
// `appPath` and copies nothing.
std::string_view displayNameView(std::string_view appPath);
std::string displayName(std::string_view appPath);

}  // namespace wendaro
