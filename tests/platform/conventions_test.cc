#include <gtest/gtest.h>

#include "platform/conventions.h"

namespace install {
namespace {

TEST(Localize, WindowsNamesStayAndPosixNamesAreMapped) {
  const char* text = "-cp lib\\status.jar;setup.jar run ";
  EXPECT_EQ(Localize(kWindowsConventions, text), text);
  EXPECT_EQ(Localize(kPosixConventions, text), "-cp lib/status.jar:setup.jar run ");
  EXPECT_EQ(Localize(kPosixConventions, "..\\java\\jre\\bin\\java.exe"), "../java/jre/bin/java");
  EXPECT_EQ(Localize(kWindowsConventions, "java\\bin\\java.exe"), "java\\bin\\java.exe");
}

}  // namespace
}  // namespace install
