#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wendaro {

// An absolute URL. File URLs carry the file-system path they stand for.
class Url {
 public:
  // The URL a string spells, or nothing when the string is not a URL: it needs
  // a scheme ("mailto:", "file:", ...) and no spaces or control characters.
  static std::optional<Url> withString(std::string_view text);
  // The file URL of an absolute path.
  static Url fileURLWithPath(std::string_view path);

  const std::string& absoluteString() const { return absolute_; }
  // The scheme in lower case, without the colon.
  std::string scheme() const;
  bool isFileURL() const { return scheme() == "file"; }
  // The decoded path of a file URL; for other URLs the part after the scheme
  // and authority, decoded.
  std::string path() const;

  friend bool operator==(const Url&, const Url&) = default;

 private:
  explicit Url(std::string absolute) : absolute_(std::move(absolute)) {}
  std::string absolute_;
};

}  // namespace wendaro
