// How one platform writes paths and class paths. The launcher's fixed relative
// names and launch-mode texts are kept in their Windows form; this is the one
// place where they are mapped to another platform's form.
#pragma once

#include <string>
#include <string_view>

namespace install {

struct Conventions {
  char separator;           // between path components
  char classPathSeparator;  // between class-path entries
  std::string_view javaExecutable;
  // Windows keeps a value with a colon, or one that begins with two
  // backslashes, as it is; POSIX keeps a value that begins with "/".
  bool windowsPaths;
};

inline constexpr Conventions kWindowsConventions{'\\', ';', "java.exe", true};
inline constexpr Conventions kPosixConventions{'/', ':', "java", false};

// Maps a relative name or launch-mode text written in Windows form
// ("lib\\a.jar;setup.jar", "java\\bin\\java.exe") to this platform's form.
std::string Localize(const Conventions& conventions, std::string_view windowsText);

// True when a value is already a complete path and path completion keeps it.
bool IsCompletePath(const Conventions& conventions, std::string_view value);

}  // namespace install
