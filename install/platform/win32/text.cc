#include "platform/win32/text.h"

#include <windows.h>

#include <climits>

namespace install::win32 {
namespace {

// The conversion calls count in int; a text longer than that is not a path or
// a message the launcher could have, and converts to nothing.
bool FitsInInt(std::size_t size) { return size <= static_cast<std::size_t>(INT_MAX); }

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty() || !FitsInInt(text.size())) return {};
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
  return wide;
}

std::string FromWide(UINT codePage, DWORD flags, std::wstring_view text) {
  if (text.empty() || !FitsInInt(text.size())) return {};
  const int size = static_cast<int>(text.size());
  int length =
      WideCharToMultiByte(codePage, flags, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (length <= 0 && flags != 0 && GetLastError() == ERROR_INVALID_FLAGS) {
    // A system whose ANSI code page is UTF-8 takes no flags; it represents
    // everything anyway.
    flags = 0;
    length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  }
  if (length <= 0) return {};
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, flags, text.data(), size, narrow.data(), length, nullptr, nullptr);
  return narrow;
}

}  // namespace

std::wstring Widen(std::string_view utf8) { return ToWide(CP_UTF8, utf8); }

std::string Narrow(std::wstring_view utf16) { return FromWide(CP_UTF8, 0, utf16); }

// No best-fit mapping: a character the code page lacks becomes its default
// character rather than some look-alike.
std::string ToAnsi(std::string_view utf8) {
  return FromWide(CP_THREAD_ACP, WC_NO_BEST_FIT_CHARS, Widen(utf8));
}

std::string FromAnsi(std::string_view ansi) { return Narrow(ToWide(CP_THREAD_ACP, ansi)); }

// The path as UTF-16 for the file calls. A path of MAX_PATH units or more is
// made complete (".." and "/" resolved, a relative one against the current
// directory) and given the \\?\ prefix, which lifts the limit on every Windows
// version; shorter ones go to the system as they are.
std::wstring FilePath(std::string_view path) {
  std::wstring wide = Widen(path);
  if (wide.size() < MAX_PATH || wide.starts_with(LR"(\\?\)") || wide.starts_with(LR"(\\.\)")) {
    return wide;
  }
  std::wstring full(wide.size() + MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) return wide;
    if (length < full.size()) {
      full.resize(length);
      break;
    }
    full.resize(length);
  }
  if (full.starts_with(LR"(\\)")) return LR"(\\?\UNC\)" + full.substr(2);
  return LR"(\\?\)" + full;
}

}  // namespace install::win32
