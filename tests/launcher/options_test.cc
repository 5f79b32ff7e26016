#include <gtest/gtest.h>

#include "launcher/options.h"

namespace install {
namespace {

using Args = std::vector<std::string>;

LaunchSettings Extract(const std::string& line, const Conventions& conventions = kWindowsConventions,
                       const std::string& currentDirectory = "C:\\Work") {
  LaunchSettings settings;
  settings.commandLine = line;
  settings.currentDirectory = currentDirectory;
  EXPECT_EQ(ExtractOptions(settings, conventions), OptionsResult::kOk) << line;
  return settings;
}

// The arguments still to be forwarded, consumed entries left out.
Args Forwarded(const LaunchSettings& settings) {
  Args left;
  for (const auto& argument : settings.arguments) {
    if (!argument.empty()) left.push_back(argument);
  }
  return left;
}

TEST(ExtractOptions, NoArgumentsGiveDefaults) {
  const LaunchSettings settings = Extract("");
  EXPECT_EQ(settings.initialHeap, "256m");
  EXPECT_EQ(settings.maximumHeap, "512m");
  EXPECT_FALSE(settings.logFileName || settings.javaHome || settings.temporaryFolder ||
               settings.responseFile || settings.jvmParameters);
  EXPECT_FALSE(settings.silent || settings.javaConsole || settings.logEnabled);
}

TEST(ExtractOptions, EveryOptionIsTakenAndConsumed) {
  const LaunchSettings settings = Extract(
      R"(-Xmx 1024m -silent -is:javaconsole -is:javahome D:\jdk -is:tempdir tmp )"
      R"(-Xms 300m VANTORA_JVM_PARAMS="-Xss2m -Dname='x'" -is:log l.txt keep)");
  EXPECT_EQ(settings.initialHeap, "300m");
  EXPECT_EQ(settings.maximumHeap, "1024m");
  EXPECT_TRUE(settings.silent);
  EXPECT_TRUE(settings.javaConsole);
  EXPECT_EQ(settings.javaHome, "D:\\jdk");
  EXPECT_EQ(settings.temporaryFolder, "C:\\Work\\tmp");
  EXPECT_EQ(settings.jvmParameters, "-Xss2m -Dname=x");
  EXPECT_EQ(settings.logFileName, "C:\\Work\\l.txt");
  EXPECT_TRUE(settings.logEnabled);
  EXPECT_EQ(Forwarded(settings), Args{"keep"});
  EXPECT_EQ(settings.arguments.size(), 14u) << "consumed entries stay in place";
}

TEST(ExtractOptions, OrderOfExtractionDecidesContestedArguments) {
  // "-Xms" runs before "-Xmx", so it takes "-Xmx" as its value.
  LaunchSettings settings = Extract("-Xms -Xmx 1g");
  EXPECT_EQ(settings.initialHeap, "-Xmx");
  EXPECT_EQ(settings.maximumHeap, "512m");
  EXPECT_EQ(Forwarded(settings), Args{"1g"});

  // "-silent" is taken before "-is:log" looks for its value.
  settings = Extract("-is:log -silent");
  EXPECT_TRUE(settings.silent);
  EXPECT_EQ(settings.logFileName, "C:\\Work\\");
  EXPECT_TRUE(settings.logEnabled);
}

TEST(ExtractOptions, LastOnTheLineGivesEmptyValue) {
  EXPECT_EQ(Extract("-Xmx").maximumHeap, "");
  EXPECT_EQ(Extract("-is:javahome").javaHome, "C:\\Work\\");
  const LaunchSettings log = Extract("a -is:log");
  EXPECT_EQ(log.logFileName, "C:\\Work\\");
  EXPECT_TRUE(log.logEnabled);
}

TEST(ExtractOptions, OnlyFirstOccurrenceAndExactNamesCount) {
  const LaunchSettings settings =
      Extract(R"(-silent -silent -SILENT -Xmx=1g -is:tempdir a -is:tempdir b x-silent)");
  EXPECT_TRUE(settings.silent);
  EXPECT_EQ(settings.temporaryFolder, "C:\\Work\\a");
  EXPECT_EQ(Forwarded(settings),
            (Args{"-silent", "-SILENT", "-Xmx=1g", "-is:tempdir", "b", "x-silent"}));
  EXPECT_EQ(Extract("-Silent").silent, false);
}

TEST(ExtractOptions, ResponseFileIsCompletedButForwardedAsTyped) {
  const LaunchSettings settings = Extract("-options resp.txt -silent");
  EXPECT_EQ(settings.responseFile, "C:\\Work\\resp.txt");
  EXPECT_EQ(Forwarded(settings), (Args{"-options", "resp.txt"}));
}

TEST(ExtractOptions, JvmParametersFromTheFirstAssignmentOnly) {
  const LaunchSettings settings =
      Extract(R"(VANTORA_JVM_PARAMS="-Xss2m" VANTORA_JVM_PARAMS="-Xss4m" vantora_jvm_params="x" a_VANTORA_JVM_PARAMS="y")");
  EXPECT_EQ(settings.jvmParameters, "-Xss2m");
  EXPECT_EQ(Forwarded(settings), (Args{R"(VANTORA_JVM_PARAMS="-Xss4m")",
                                       R"(vantora_jvm_params="x")", R"(a_VANTORA_JVM_PARAMS="y")"}));
  EXPECT_EQ(Extract(R"(VANTORA_JVM_PARAMS="")").jvmParameters, "");
  EXPECT_EQ(Extract(R"(VANTORA_JVM_PARAMS=")").jvmParameters, "");
}

TEST(ExtractOptions, MalformedJvmParametersAreRefused) {
  for (const char* line : {"VANTORA_JVM_PARAMS=-Xss2m", R"(VANTORA_JVM_PARAMS "-Xss2m")",
                           R"("VANTORA_JVM_PARAMS=-Xss2m -Da=b")", "VANTORA_JVM_PARAMS",
                           R"(VANTORA_JVM_PARAMS")"}) {
    LaunchSettings settings;
    settings.commandLine = line;
    EXPECT_EQ(ExtractOptions(settings, kWindowsConventions), OptionsResult::kInvalidJvmParameters)
        << line;
  }
}

struct CompletionCase {
  const char* value;
  const char* expected;
};

TEST(CompletePath, WindowsRules) {
  for (const CompletionCase& c : std::initializer_list<CompletionCase>{
           {"tmp", "C:\\Work\\tmp"},
           {"D:\\tmp", "D:\\tmp"},
           {"x:y", "x:y"},
           {"\\\\server\\share", "\\\\server\\share"},
           {"\\tmp", "C:\\Work\\\\tmp"},
           {"..\\a", "C:\\Work\\..\\a"},
           {"", "C:\\Work\\"},
           {"/abs", "C:\\Work\\/abs"},
       }) {
    EXPECT_EQ(CompletePath(c.value, "C:\\Work", kWindowsConventions), c.expected) << c.value;
  }
}

TEST(CompletePath, PosixRules) {
  for (const CompletionCase& c : std::initializer_list<CompletionCase>{
           {"tmp", "/home/ann/tmp"},
           {"/tmp", "/tmp"},
           {"a:b", "/home/ann/a:b"},
           {"", "/home/ann/"},
           {"../x", "/home/ann/../x"},
       }) {
    EXPECT_EQ(CompletePath(c.value, "/home/ann", kPosixConventions), c.expected) << c.value;
  }
}

}  // namespace
}  // namespace install
