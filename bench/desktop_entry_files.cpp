#include "desktop_entry_files.h"

#include <fstream>
#include <system_error>

namespace wendaro::bench {

namespace {

const char* const kLanguages[] = {"ar", "be", "bg", "ca", "cs", "da", "de", "el", "en_GB", "eo", "es", "et", "eu",
                                  "fa", "fi", "fr", "gl", "he", "hr", "hu", "id", "it", "ja", "ko", "lt", "nb",
                                  "nl", "pl", "pt", "pt_BR", "ro", "ru", "sk", "sl", "sr", "sr@latin", "sv", "tr",
                                  "uk", "zh_CN", "zh_TW"};

std::string entryText(std::size_t n) {
  const std::string id = std::to_string(n);
  std::string text;
  if (n % 50 == 49) text += "[Other Group]\nKey=value\n\n";
  text += "[Desktop Entry]\nType=Application\nVersion=1.0\n";
  text += "Name=Application " + id + "\n";
  for (const char* language : kLanguages) text += std::string("Name[") + language + "]=Anwendung " + id + "\n";
  text += "GenericName=Tool\n";
  for (const char* language : kLanguages) text += std::string("Comment[") + language + "]=Does useful things, number " + id + "\n";
  text += "Comment=Does useful things\n";
  for (const char* language : kLanguages) text += std::string("Keywords[") + language + "]=tool;thing;utility;\n";
  text += "Exec=" + std::string(n % 10 == 9 ? "not-installed-" + id : "sh") + " -c 'true %U'\n";
  text += "TryExec=sh\nIcon=application-" + id + "\nTerminal=false\n";
  if (n % 20 == 19) text += "NoDisplay=true\n";
  text += "Categories=Utility;Development;\nMimeType=text/plain;text/x-c;\nStartupNotify=true\n";
  text += "Actions=new-window;\n\n[Desktop Action new-window]\nName=New Window\nExec=sh -c 'true'\n";
  return text;
}

}  // namespace

void writeDesktopEntries(const std::string& directory, std::size_t count) {
  for (std::size_t n = 0; n < count; ++n) {
    const std::string path = directory + "/app-" + std::to_string(n) + ".desktop";
    std::ofstream out(path, std::ios::binary);
    out << entryText(n);
    if (!out) throw std::system_error(errno, std::generic_category(), path);
  }
}

}  // namespace wendaro::bench
