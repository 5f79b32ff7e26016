#include "platform/conventions.h"

namespace install {

std::string Localize(const Conventions& conventions, std::string_view windowsText) {
  std::string text;
  text.reserve(windowsText.size());
  constexpr std::string_view kWindowsJava = "java.exe";
  for (std::size_t i = 0; i < windowsText.size(); ++i) {
    if (windowsText.substr(i, kWindowsJava.size()) == kWindowsJava) {
      text += conventions.javaExecutable;
      i += kWindowsJava.size() - 1;
    } else if (windowsText[i] == '\\') {
      text += conventions.separator;
    } else if (windowsText[i] == ';') {
      text += conventions.classPathSeparator;
    } else {
      text += windowsText[i];
    }
  }
  return text;
}

bool IsCompletePath(const Conventions& conventions, std::string_view value) {
  if (!conventions.windowsPaths) return value.starts_with('/');
  return value.find(':') != std::string_view::npos || value.starts_with("\\\\");
}

}  // namespace install
