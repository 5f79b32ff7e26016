// Conversions at the Windows edge: the core holds UTF-8, Windows wants UTF-16,
// and a few files keep the thread's ANSI code page.
#pragma once

#include <string>
#include <string_view>

namespace install::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// UTF-8 to the thread's ANSI code page; characters outside it become the code
// page's default character.
std::string ToAnsi(std::string_view utf8);
// Bytes in the thread's ANSI code page to UTF-8.
std::string FromAnsi(std::string_view ansi);

// A path as UTF-16 for the file calls; one of MAX_PATH units or more is made
// complete and given the \\?\ prefix, so it is not cut at the old limit.
std::wstring FilePath(std::string_view path);

}  // namespace install::win32
