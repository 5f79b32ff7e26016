#include <gtest/gtest.h>

#include "launcher/java_arguments.h"
#include "launcher/options.h"

namespace install {
namespace {

TEST(QuoteArgument, QuotesOnlyBlanksWithoutQuotes) {
  EXPECT_EQ(QuoteArgument("abc"), "abc");
  EXPECT_EQ(QuoteArgument("a b"), "\"a b\"");
  EXPECT_EQ(QuoteArgument("-Dx=\"a b\""), "-Dx=\"a b\"");
  EXPECT_EQ(QuoteArgument("a\tb"), "a\tb");
  EXPECT_EQ(QuoteArgument(""), "");
  EXPECT_EQ(QuoteArgument("C:\\My Temp\\"), "\"C:\\My Temp\\\\\"");
  EXPECT_EQ(QuoteArgument("C:\\a\\b c"), "\"C:\\a\\b c\"");
  EXPECT_EQ(QuoteArgument("C:\\"), "C:\\");
}

struct AssemblyCase {
  const char* name;
  const char* commandLine;
  const char* modeText;
  const char* expected;
  friend std::ostream& operator<<(std::ostream& out, const AssemblyCase& c) {
    return out << c.name;
  }
};

class AssembleTest : public ::testing::TestWithParam<AssemblyCase> {};

TEST_P(AssembleTest, BuildsTheParameterText) {
  LaunchSettings settings;
  settings.commandLine = GetParam().commandLine;
  settings.currentDirectory = "C:\\Work";
  ASSERT_EQ(ExtractOptions(settings, kWindowsConventions), OptionsResult::kOk);
  EXPECT_EQ(AssembleJavaArguments(settings, GetParam().modeText), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AssembleTest,
    ::testing::Values(
        AssemblyCase{"Plain", "", " -cp setup.jar run ", "-Xms256m -Xmx512m  -cp setup.jar run "},
        AssemblyCase{"Silent", "-silent", " -cp setup.jar run ",
                     "-Xms256m -Xmx512m  -cp setup.jar run   -silent"},
        AssemblyCase{"Everything",
                     R"(VANTORA_JVM_PARAMS="-Xss2m" -is:tempdir "C:\My Temp" -options resp.txt "C:\a b" -silent)",
                     " -cp setup.jar run ",
                     R"(-Xms256m -Xmx512m -Xss2m -Djava.io.tmpdir="C:\My Temp"  -cp setup.jar run  -options resp.txt "C:\a b"  -silent)"},
        AssemblyCase{"ForwardedQuoting", R"(plain "with blank" -Dx="a b" "")",
                     "-cp preSetup.jar;setup.jar PreInstallSetup ",
                     R"(-Xms256m -Xmx512m -cp preSetup.jar;setup.jar PreInstallSetup  plain "with blank" -Dx="a b")"},
        AssemblyCase{"TempdirWithoutBlank", R"(-is:tempdir D:\t)", "m ",
                     R"(-Xms256m -Xmx512m -Djava.io.tmpdir=D:\t m )"},
        AssemblyCase{"JvmParametersWithBlanks", R"(VANTORA_JVM_PARAMS="-Da=1 -Db=2")", "m ",
                     "-Xms256m -Xmx512m -Da=1 -Db=2 m "},
        AssemblyCase{"EmptyHeapAndJavaHomeLeftOut", R"(-is:javahome D:\jdk -Xmx)", "m ",
                     "-Xms256m -Xmx m "},
        AssemblyCase{"NonAsciiArgument", "\"C:\\Пути\\日本 語\" x", "m ",
                     "-Xms256m -Xmx512m m  \"C:\\Пути\\日本 語\" x"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(AssembleJavaArguments, LongTextIsNeverCut) {
  LaunchSettings settings;
  settings.currentDirectory = "C:\\Work";
  std::string expectedTail;
  for (int i = 0; i < 400; ++i) {
    const std::string argument = "C:\\a folder with blanks\\" + std::to_string(i);
    settings.commandLine += "\"" + argument + "\" ";
    expectedTail += " \"" + argument + "\"";
  }
  ASSERT_EQ(ExtractOptions(settings, kWindowsConventions), OptionsResult::kOk);
  const std::string text = AssembleJavaArguments(settings, "m ");
  EXPECT_EQ(text, "-Xms256m -Xmx512m m " + expectedTail.substr(0));
}

}  // namespace
}  // namespace install
