#include "uninstall/captured_java.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"

namespace install {
namespace {

using testing::FakePlatform;
using Strings = std::vector<std::string>;

constexpr const char* kJava = "C:\\Prog\\..\\java\\bin\\java.exe";

TEST(FoldWords, EveryWordFollowedByOneBlank) {
  const struct {
    std::string output, text;
  } cases[] = {
      {"Initializing Uninstaller, Please Wait ....\r\n",
       "Initializing Uninstaller, Please Wait .... "},
      {"first line\r\nsecond  line\r\n", "first line second line "},
      {"  lead\ttab\vvt\fff\rcr\nlf", "lead tab vt ff cr lf "},
      {"abc", "abc "},
      {"\r\n\r\nword\r\n\r\n", "word "},
      {"", ""},
      {" \t\r\n\v\f", ""},
      {"-1\r\n", "-1 "},
      // Only those six: other control bytes and UTF-8 stay inside the word.
      {std::string("a\0b \x1b", 5) + "c\xc2\xa0" + "d",
       std::string("a\0b", 3) + " \x1b" + "c\xc2\xa0" + "d "},
  };
  for (const auto& c : cases) EXPECT_EQ(FoldWords(c.output), c.text) << c.output;
}

TEST(BundleCommandLine, FourArgumentsAfterALeadingBlank) {
  EXPECT_EQ(BundleCommandLine("C:\\Program Files\\uninstall\\", "Title.error"),
            " -classpath \"C:\\Program Files\\uninstall\\setup.jar\" "
            "com.orrin.vantora.install.quon.framework.resourcebundle."
            "ExternalQuonResourceBundleUtils Title.error");
}

TEST(RunCapturedJavaCall, ReadsFoldsAndDeletesTheOutput) {
  FakePlatform platform;
  platform.capturedOutput = "Bitte  warten\r\n...\r\n";
  EXPECT_EQ(RunCapturedJavaCall(platform, kJava, " -x"), "Bitte warten ... ");
  ASSERT_EQ(platform.captures.size(), 1u);
  EXPECT_EQ(platform.captures[0].program, kJava);
  EXPECT_EQ(platform.captures[0].commandLine, " -x");
  const std::string& file = platform.captures[0].outputFile;
  EXPECT_TRUE(file.starts_with("C:\\Temp\\QEL")) << file;
  EXPECT_TRUE(platform.deleted.contains(file));
  EXPECT_FALSE(platform.files.contains(file));
  EXPECT_TRUE(platform.consoleLines.empty());
}

TEST(RunCapturedJavaCall, FailuresGiveTheMarkerAndTheirConsoleLines) {
  const struct {
    const char* name;
    std::function<void(FakePlatform&)> arrange;
    Strings lines;
    bool captured;
  } cases[] = {
      {"no temporary folder", [](FakePlatform& p) { p.temporaryFolder.reset(); },
       {"GetTempPath failed"}, false},
      {"no temporary name", [](FakePlatform& p) { p.temporaryFileFails = true; },
       {"GetTempFileName failed"}, false},
      {"open failed",
       [](FakePlatform& p) {
         p.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kOpenFailed, 32}; };
       },
       {"CreateFile failed", "32"}, true},
      {"start failed",
       [](FakePlatform& p) {
         p.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kStartFailed, 2}; };
       },
       {"createprocess failed"}, true},
      {"flush failed",
       [](FakePlatform& p) {
         p.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kFlushFailed, 5}; };
       },
       {"flush failed"}, true},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    c.arrange(platform);
    EXPECT_EQ(RunCapturedJavaCall(platform, kJava, " -x"), "-1") << c.name;
    EXPECT_EQ(platform.consoleLines, c.lines) << c.name;
    EXPECT_EQ(platform.captures.size(), c.captured ? 1u : 0u) << c.name;
    // A file once made is removed again.
    EXPECT_EQ(platform.deleted.size(), c.captured ? 1u : 0u) << c.name;
  }
}

TEST(RunCapturedJavaCall, UnreadableOutputIsAnEmptyText) {
  FakePlatform platform;
  platform.onCapture = [&](const std::string&, const std::string&, const std::string& file) {
    platform.files.erase(file);
    return CaptureOutcome{};
  };
  EXPECT_EQ(RunCapturedJavaCall(platform, kJava, " -x"), "");
  EXPECT_TRUE(platform.consoleLines.empty());
  EXPECT_EQ(platform.deleted.size(), 1u);
}

TEST(FetchBundleText, FallbackOnlyForTheExactMarker) {
  const struct {
    const char* printed;
    const char* text;
  } cases[] = {
      {"Bitte warten\r\n", "Bitte warten "},
      {"-1\r\n", "-1 "},  // a class that prints -1 is a text, not a failure
      {"", ""},           // an empty answer is used as it is
      {"  \r\n", ""},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.capturedOutput = c.printed;
    EXPECT_EQ(FetchBundleText(platform, kJava, "C:\\Prog\\uninstall\\", "k", "fallback"), c.text);
    ASSERT_EQ(platform.captures.size(), 1u);
    EXPECT_EQ(platform.captures[0].commandLine, BundleCommandLine("C:\\Prog\\uninstall\\", "k"));
  }
  FakePlatform failing;
  failing.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kStartFailed, 2}; };
  EXPECT_EQ(FetchBundleText(failing, kJava, "C:\\Prog\\", "k", "fallback"), "fallback");
}

}  // namespace
}  // namespace install
