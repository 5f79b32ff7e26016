// Helpers for the tests of the Win32 layer, which run for real (under Wine on
// a Linux machine).
#pragma once

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/win32/text.h"

namespace install::testing {

// Sets the calling thread's locale, and so the ANSI code page of the
// conversions, for one test.
class ScopedThreadLocale {
 public:
  explicit ScopedThreadLocale(LANGID language) : previous_(GetThreadLocale()) {
    SetThreadLocale(MAKELCID(language, SORT_DEFAULT));
  }
  ~ScopedThreadLocale() { SetThreadLocale(previous_); }
  ScopedThreadLocale(const ScopedThreadLocale&) = delete;
  ScopedThreadLocale& operator=(const ScopedThreadLocale&) = delete;

 private:
  LCID previous_;
};

inline std::filesystem::path NativePath(const std::string& utf8) {
  return std::filesystem::path(win32::Widen(utf8));
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(NativePath(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(NativePath(path), std::ios::binary) << bytes;
}

// A fresh folder under the user's temporary folder, removed with all it holds
// afterwards. `path` is UTF-8 without a trailing separator.
class TemporaryFolder {
 public:
  TemporaryFolder() {
    static std::atomic<int> counter{0};
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, temp);
    path = win32::Narrow(temp) + "install-test-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(counter++);
    std::filesystem::create_directories(NativePath(path));
  }
  ~TemporaryFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(L"\\\\?\\" + win32::Widen(path)), ignored);
  }
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;

  std::string path;
};

}  // namespace install::testing
