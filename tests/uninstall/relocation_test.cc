#include "uninstall/relocation.h"

#include <gtest/gtest.h>

#include "uninstall/captured_java.h"
#include "support/fake_platform.h"

namespace install {
namespace {

using testing::FakePlatform;
using Strings = std::vector<std::string>;

constexpr const char* kInstall = "C:\\Prog\\uninstall\\";
constexpr const char* kJava = "C:\\Prog\\uninstall\\..\\java\\bin\\java.exe";

TEST(RelocateJavaRuntime, PleaseWaitFetchedOnEveryPathShownUnlessSilent) {
  const struct {
    bool silent, javaConsole, shown;
  } cases[] = {
      {false, false, true},
      {false, true, true},
      {true, true, true},  // the Java console asks for the window
      {true, false, false},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.capturedOutput = "Bitte warten ...\r\n";
    LaunchSettings settings;
    settings.silent = c.silent;
    settings.javaConsole = c.javaConsole;
    RelocateJavaRuntime(platform, settings, "C:\\Prog\\uninstall\\java", kJava,
                        "C:\\Prog\\uninstall\\..\\java", kInstall);
    ASSERT_EQ(platform.captures.size(), 1u);
    EXPECT_EQ(platform.captures[0].program, kJava);
    EXPECT_EQ(platform.captures[0].commandLine,
              BundleCommandLine(kInstall, "uninstall.initializingUninstall"));
    ASSERT_EQ(platform.copies.size(), 1u);
    const FakePlatform::Copy& copy = platform.copies[0];
    EXPECT_EQ(copy.source, "C:\\Prog\\uninstall\\..\\java");
    EXPECT_EQ(copy.destination, "C:\\Prog\\uninstall\\java");
    EXPECT_EQ(copy.pleaseWaitText, "Bitte warten ... ");
    EXPECT_EQ(copy.showPleaseWait, c.shown) << c.silent << c.javaConsole;
    EXPECT_EQ(copy.workingFolder, kInstall);
  }
}

TEST(RelocateJavaRuntime, FallbackTextWhenJavaCannotStart) {
  FakePlatform platform;
  platform.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kStartFailed, 2}; };
  RelocateJavaRuntime(platform, LaunchSettings{}, "C:\\P\\u\\jre", kJava, "C:\\P\\u\\..\\jre",
                      "C:\\P\\u\\");
  ASSERT_EQ(platform.copies.size(), 1u);
  EXPECT_EQ(platform.copies[0].pleaseWaitText, "Initializing Uninstaller, Please Wait ....");
  EXPECT_EQ(platform.consoleLines, Strings{"createprocess failed"});
}

// The uninstaller search list through the whole run.
class UninstallRun : public ::testing::Test {
 protected:
  UninstallRun() {
    platform.modulePath = "C:\\Prog\\uninstall\\install.exe";
    platform.capturedOutput = "Please wait\r\n";
    platform.freeBytes = std::uint64_t{1} << 40;
  }
  FakePlatform platform;
};

TEST_F(UninstallRun, EachRowOfTheSearchList) {
  const struct {
    const char* candidate;
    const char* source;  // nullptr: used where it is, no check and no copy
    const char* destination;
    const char* java;
  } rows[] = {
      {"java\\jre\\bin\\java.exe", nullptr, nullptr, "java\\jre\\bin\\java.exe"},
      {"java\\bin\\java.exe", nullptr, nullptr, "java\\bin\\java.exe"},
      {"jre\\bin\\java.exe", nullptr, nullptr, "jre\\bin\\java.exe"},
      {"..\\java\\jre\\bin\\java.exe", "..\\java", "java", "java\\jre\\bin\\java.exe"},
      {"..\\java\\bin\\java.exe", "..\\java", "java", "java\\bin\\java.exe"},
      {"..\\jre\\bin\\java.exe", "..\\jre", "jre", "jre\\bin\\java.exe"},
  };
  const std::string install = "C:\\Prog\\uninstall\\";
  std::string expectedLog;
  for (const auto& row : rows) {
    FakePlatform run = platform;
    const std::string found = install + row.candidate;
    run.existing = {found};
    expectedLog += "Looking for Java in: " + found + "\n";
    EXPECT_EQ(run.Run("-silent -is:log C:\\log.txt"), 0);
    EXPECT_EQ(run.files["C:\\log.txt"], expectedLog + "Using java in " + install + row.java);
    ASSERT_EQ(run.launches.size(), 1u);
    EXPECT_EQ(run.launches[0].program, install + row.java);
    if (row.source == nullptr) {
      EXPECT_TRUE(run.captures.empty()) << row.candidate;
      EXPECT_TRUE(run.copies.empty()) << row.candidate;
      continue;
    }
    // Only the please-wait text is fetched: there is room.
    ASSERT_EQ(run.captures.size(), 1u) << row.candidate;
    EXPECT_EQ(run.captures[0].program, found);
    ASSERT_EQ(run.copies.size(), 1u);
    EXPECT_EQ(run.copies[0].source, install + row.source);
    EXPECT_EQ(run.copies[0].destination, install + row.destination);
    EXPECT_FALSE(run.copies[0].showPleaseWait);
  }
}

TEST_F(UninstallRun, RuntimeInsideWinsOverOneBeside) {
  platform.existing = {"C:\\Prog\\uninstall\\jre\\bin\\java.exe",
                       "C:\\Prog\\uninstall\\..\\java\\jre\\bin\\java.exe"};
  platform.Run("");
  EXPECT_TRUE(platform.copies.empty());
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].program, "C:\\Prog\\uninstall\\jre\\bin\\java.exe");
}

TEST_F(UninstallRun, ShortSpaceEndsTheRunBeforeTheCopy) {
  platform.existing = {"C:\\Prog\\uninstall\\..\\jre\\bin\\java.exe"};
  platform.folders["C:\\Prog\\uninstall\\..\\jre\\"] = {{.name = "rt.jar", .size = 200 * 1048576}};
  platform.freeBytes = 100 * 1048576;
  platform.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kStartFailed, 2}; };
  EXPECT_EQ(platform.Run("-is:log C:\\log.txt"), 1);
  EXPECT_TRUE(platform.copies.empty());
  EXPECT_TRUE(platform.launches.empty());
  ASSERT_EQ(platform.messages.size(), 1u);
  const std::string message =
      "Insufficient Space to initialize uninstall.  Required space : 200 MB";
  EXPECT_EQ(platform.messages[0].message, message);
  EXPECT_TRUE(platform.files["C:\\log.txt"].ends_with(
      "Looking for Java in: C:\\Prog\\uninstall\\..\\jre\\bin\\java.exe\n" + message + "\n"));
}

TEST(UninstallRunPosix, PathsInThisPlatformsForm) {
  FakePlatform platform(kPosixConventions);
  platform.modulePath = "/opt/app/uninstall/install";
  platform.existing = {"/opt/app/uninstall/../java/bin/java"};
  platform.Run("");
  ASSERT_EQ(platform.captures.size(), 1u);
  EXPECT_EQ(platform.captures[0].commandLine,
            BundleCommandLine("/opt/app/uninstall/", "uninstall.initializingUninstall"));
  ASSERT_EQ(platform.copies.size(), 1u);
  EXPECT_EQ(platform.copies[0].source, "/opt/app/uninstall/../java");
  EXPECT_EQ(platform.copies[0].destination, "/opt/app/uninstall/java");
  EXPECT_TRUE(platform.copies[0].showPleaseWait);
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].program, "/opt/app/uninstall/java/bin/java");
}

}  // namespace
}  // namespace install
