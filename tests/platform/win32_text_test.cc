#include <gtest/gtest.h>

#include "platform/win32/text.h"
#include "platform/win32_test_support.h"

namespace install::win32 {
namespace {

using testing::ScopedThreadLocale;

TEST(Win32Text, WidenAndNarrowKeepEveryCharacter) {
  for (const char* text : {"", "plain", "C:\\Программы\\Установка", "D:\\日本語\\パス", "ქართული",
                           "outside the BMP: 😀 𝄞"}) {
    EXPECT_EQ(Narrow(Widen(text)), text);
  }
  EXPECT_EQ(Widen("Ж日"), L"\u0416\u65E5");
  EXPECT_EQ(Widen("😀"), L"\xD83D\xDE00");  // a surrogate pair
  EXPECT_EQ(Narrow(L"\u0416\u65E5"), "Ж日");
}

// The conversions follow the thread's ANSI code page, whatever the system's is.
TEST(Win32Text, AnsiRoundTripsInTheThreadsCodePage) {
  const struct {
    LANGID language;
    const char* utf8;
    const char* ansi;
  } cases[] = {
      {MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT), "Путь", "\xCF\xF3\xF2\xFC"},   // 1251
      {MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT), "日本", "\x93\xFA\x96\x7B"},  // 932
      {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), "café\n", "caf\xE9\n"},     // 1252
  };
  for (const auto& c : cases) {
    ScopedThreadLocale locale(c.language);
    EXPECT_EQ(ToAnsi(c.utf8), c.ansi) << c.utf8;
    EXPECT_EQ(FromAnsi(c.ansi), c.utf8) << c.utf8;
  }
}

// No look-alike stands in for a missing character: it becomes the default one.
TEST(Win32Text, CharactersOutsideTheCodePageBecomeTheDefaultCharacter) {
  {
    ScopedThreadLocale locale(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_EQ(ToAnsi("a\u10D0b"), "a?b");  // Georgian is in no ANSI code page
    EXPECT_EQ(ToAnsi("Ā Ж 日"), "? ? ?");  // Ā would best-fit to A
  }
  {
    ScopedThreadLocale locale(MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT));
    EXPECT_EQ(ToAnsi("Ж日"), "\xC6?");
  }
}

}  // namespace
}  // namespace install::win32
