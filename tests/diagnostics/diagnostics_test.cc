#include <gtest/gtest.h>

#include "diagnostics/error_report.h"
#include "diagnostics/log_file.h"
#include "support/fake_platform.h"

namespace install {
namespace {

using testing::FakeExit;
using testing::FakePlatform;

TEST(LogWriters, CandidateAndClosingLinesAreByteExact) {
  FakePlatform platform;
  LaunchSettings settings;
  settings.logEnabled = true;
  settings.logFileName = "C:\\Work\\l.txt";
  const LogFile log = OpenLogFile(platform, settings);
  EXPECT_TRUE(LogJavaCandidate(platform, log, "C:\\P\\java\\jre\\bin\\java.exe"));
  LogChosenJava(platform, log, "C:\\P\\java\\jre\\bin\\java.exe");
  EXPECT_EQ(platform.files["C:\\Work\\l.txt"],
            "Looking for Java in: C:\\P\\java\\jre\\bin\\java.exe\n"
            "Using java in C:\\P\\java\\jre\\bin\\java.exe");
  const std::vector<std::string> tail(platform.trace.end() - 2, platform.trace.end());
  EXPECT_EQ(tail, (std::vector<std::string>{"flush-log", "close-log"}));
}

TEST(LogWriters, InvalidHandleStillGoesOn) {
  FakePlatform platform;
  const LogFile log{true, kInvalidLogHandle};
  EXPECT_TRUE(LogJavaCandidate(platform, log, "x"));
  LogChosenJava(platform, log, "x");
  EXPECT_EQ(platform.files.size(), 0u);
}

TEST(ReportFatalError, MessageThenLogLineThenExitOne) {
  FakePlatform platform;
  LaunchSettings settings;
  settings.logEnabled = true;
  settings.logFileName = "C:\\l.txt";
  const LogFile log = OpenLogFile(platform, settings);
  try {
    ReportFatalError(platform, "Title", "Message text", log);
    FAIL() << "returned";
  } catch (const FakeExit& exit) {
    EXPECT_EQ(exit.code, 1);
  }
  EXPECT_EQ(platform.files["C:\\l.txt"], "Message text\n");
  const std::vector<std::string> expected{"create-log C:\\l.txt", "message Title",
                                          "write-log Message text", "write-log \n",
                                          "close-log", "exit 1"};
  EXPECT_EQ(platform.trace, expected);
}

TEST(ReportFatalError, WithoutLogOnlyTheMessage) {
  FakePlatform platform;
  EXPECT_THROW(ReportFatalError(platform, "T", "M", LogFile{}), FakeExit);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "T");
  EXPECT_EQ(platform.messages[0].message, "M");
  EXPECT_EQ(platform.trace, (std::vector<std::string>{"message T", "exit 1"}));
}

}  // namespace
}  // namespace install
