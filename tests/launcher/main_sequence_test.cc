#include <gtest/gtest.h>

#include <new>

#include "support/fake_platform.h"

namespace install {
namespace {

using testing::FakePlatform;
using Strings = std::vector<std::string>;

constexpr const char* kFolder = "C:\\Prog\\";

// An install folder with a runtime at the first place the installer looks.
FakePlatform WithJava() {
  FakePlatform platform;
  platform.existing.insert("C:\\Prog\\java\\jre\\bin\\java.exe");
  return platform;
}

struct ModeCase {
  Strings markers;
  const char* expectedParameters;
};

TEST(MainSequence, LaunchModeFromMarkers) {
  const ModeCase cases[] = {
      {{}, "-Xms256m -Xmx512m  -cp setup.jar run "},
      {{"mediaSpanInfo.xml"}, "-Xms256m -Xmx512m -cp preSetup.jar;setup.jar PreInstallSetup "},
      {{"lib\\tarnixLogServiceOverride.jar"},
       "-Xms256m -Xmx512m -cp lib\\status.jar;lib\\tarnixLogServiceOverride.jar;lib\\corvel.jar;"
       "setup.jar run -tarnixqel "},
      {{"FEP\\lib\\tarnixLogServiceOverride.jar", "mediaSpanInfo.xml"},
       "-Xms256m -Xmx512m -cp lib\\status.jar;lib\\tarnixLogServiceOverride.jar;lib\\corvel.jar;"
       "preSetup.jar;setup.jar PreInstallSetup -tarnixqel "},
      // The media marker counts only in the install folder itself.
      {{"FEP\\mediaSpanInfo.xml"}, "-Xms256m -Xmx512m  -cp setup.jar run "},
  };
  for (const ModeCase& c : cases) {
    FakePlatform platform = WithJava();
    for (const std::string& marker : c.markers) platform.existing.insert(kFolder + marker);
    platform.launchOutcome.exitCode = 7;
    EXPECT_EQ(platform.Run(""), 7);
    ASSERT_EQ(platform.launches.size(), 1u);
    EXPECT_EQ(platform.launches[0].parameters, c.expectedParameters);
    EXPECT_EQ(platform.launches[0].program, "C:\\Prog\\java\\jre\\bin\\java.exe");
    EXPECT_EQ(platform.launches[0].workingFolder, kFolder);
    EXPECT_FALSE(platform.launches[0].shown);
  }
}

TEST(MainSequence, FirstPlatformMarkerFoundSkipsTheSecond) {
  FakePlatform platform = WithJava();
  platform.existing.insert("C:\\Prog\\lib\\tarnixLogServiceOverride.jar");
  platform.Run("");
  EXPECT_EQ(std::count(platform.existsQueries.begin(), platform.existsQueries.end(),
                       "C:\\Prog\\FEP\\lib\\tarnixLogServiceOverride.jar"),
            0);
}

TEST(MainSequence, FepSubfolderOnlyWithoutJavaHome) {
  FakePlatform platform;
  platform.existing = {"C:\\Prog\\FEP\\setup.jar", "C:\\Prog\\FEP\\java\\bin\\java.exe"};
  platform.Run("-is:javaconsole");
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].program, "C:\\Prog\\FEP\\java\\bin\\java.exe");
  EXPECT_EQ(platform.launches[0].workingFolder, "C:\\Prog\\FEP\\");
  EXPECT_TRUE(platform.launches[0].shown);

  FakePlatform withHome;
  withHome.existing = {"C:\\Prog\\FEP\\setup.jar"};
  withHome.Run("-is:javahome D:\\jdk\\");
  ASSERT_EQ(withHome.launches.size(), 1u);
  EXPECT_EQ(withHome.launches[0].program, "D:\\jdk\\bin\\java.exe");
  EXPECT_EQ(withHome.launches[0].workingFolder, kFolder);
}

TEST(MainSequence, ExplicitJavaHomeIsLoggedAndNotTested) {
  FakePlatform platform;
  EXPECT_EQ(platform.Run("-is:javahome D:\\none -is:log run.log"), 0);
  EXPECT_EQ(platform.files["C:\\Work\\run.log"],
            "Looking for Java in: D:\\none\\bin\\java.exe\nUsing java in D:\\none\\bin\\java.exe");
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].program, "D:\\none\\bin\\java.exe");
}

TEST(MainSequence, JavaNotFoundLogsEveryCandidate) {
  FakePlatform platform;
  platform.files["C:\\Work\\run.log"] = "old content that must go";
  EXPECT_EQ(platform.Run("-silent -is:log run.log"), 1);
  EXPECT_EQ(platform.files["C:\\Work\\run.log"],
            "Looking for Java in: C:\\Prog\\java\\jre\\bin\\java.exe\n"
            "Looking for Java in: C:\\Prog\\java\\bin\\java.exe\n"
            "Looking for Java in: C:\\Prog\\..\\JDK\\jre.pak\\repository\\package.java.jre\\java\\jre\\bin\\java.exe\n"
            "Java could not be found, please specify -is:javahome <java_home_dir>\n");
  ASSERT_EQ(platform.messages.size(), 1u) << "shown even when silent";
  EXPECT_EQ(platform.messages[0].title, "Java Not Found");
  EXPECT_TRUE(platform.launches.empty());
}

TEST(MainSequence, MissingResponseFileEndsTheRun) {
  FakePlatform platform = WithJava();
  platform.existing.insert("C:\\Prog\\resp.txt");  // under the install folder only
  EXPECT_EQ(platform.Run("-options resp.txt -is:log run.log"), 1);
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Responsefile not found");
  const std::string message =
      "The specified response file does not exist at C:\\Work\\resp.txt . Verify that the path "
      "is correct and that the file exists at that location.";
  EXPECT_EQ(platform.messages[0].message, message);
  EXPECT_EQ(platform.files["C:\\Work\\run.log"], message + "\n");
  EXPECT_TRUE(platform.launches.empty());
}

TEST(MainSequence, ExistingResponseFileOrFolderIsForwarded) {
  FakePlatform platform = WithJava();
  platform.existing.insert("D:\\answers");
  EXPECT_EQ(platform.Run("-options D:\\answers"), 0);
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].parameters,
            "-Xms256m -Xmx512m  -cp setup.jar run  -options D:\\answers");
}

TEST(MainSequence, EarlyExitsWriteAConsoleLineAndNoLog) {
  FakePlatform platform = WithJava();
  EXPECT_EQ(platform.Run("-is:log run.log VANTORA_JVM_PARAMS=-Xss2m"), 1);
  EXPECT_EQ(platform.consoleLines, Strings{"Invalid VANTORA_JVM_PARAMS argument"});
  EXPECT_FALSE(platform.files.contains("C:\\Work\\run.log"));
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.launches.empty());
}

TEST(MainSequence, MemoryExhaustedWhileReadingTheCommandLine) {
  struct StarvedPlatform : FakePlatform {
    std::string CurrentDirectory() override { throw std::bad_alloc(); }
  } platform;
  platform.existing.insert("C:\\Prog\\java\\jre\\bin\\java.exe");
  EXPECT_EQ(platform.Run("-is:log run.log"), 1);
  EXPECT_EQ(platform.consoleLines, Strings{"Unable to allocate memory"});
  EXPECT_TRUE(platform.files.empty());
  EXPECT_TRUE(platform.messages.empty());
  EXPECT_TRUE(platform.launches.empty());
}

TEST(MainSequence, LogThatCannotBeOpenedChangesNothing) {
  FakePlatform platform = WithJava();
  platform.launchOutcome.exitCode = 300;
  EXPECT_EQ(platform.Run("-is:log"), 300);
  EXPECT_TRUE(platform.files.empty());
  EXPECT_TRUE(platform.consoleLines.empty());
}

TEST(MainSequence, StartFailureIsReportedOnTheConsole) {
  FakePlatform platform = WithJava();
  platform.launchOutcome = {.started = false, .errorCode = 2};
  EXPECT_EQ(platform.Run(""), 1);
  EXPECT_EQ(platform.consoleLines,
            (Strings{"2", "Unable to start C:\\Prog\\java\\jre\\bin\\java.exe"}));
}

TEST(MainSequence, DriveRootKeepsItsSeparator) {
  FakePlatform platform;
  platform.modulePath = "C:\\install.exe";
  platform.Run("");
  EXPECT_EQ(platform.existsQueries.front(), "C:\\\\lib\\tarnixLogServiceOverride.jar");
}

TEST(MainSequence, NonAsciiArgumentsReachJavaIntact) {
  FakePlatform platform = WithJava();
  platform.modulePath = "C:\\Программы\\日本\\install.exe";
  platform.existing = {"C:\\Программы\\日本\\java\\bin\\java.exe"};
  platform.Run("\"Ж 字\" -is:tempdir Врем");
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].parameters,
            "-Xms256m -Xmx512m -Djava.io.tmpdir=C:\\Work\\Врем  -cp setup.jar run  \"Ж 字\"");
  EXPECT_EQ(platform.launches[0].workingFolder, "C:\\Программы\\日本\\");
}

TEST(MainSequence, PosixConventions) {
  FakePlatform platform(kPosixConventions);
  platform.existing = {"/opt/prog/lib/tarnixLogServiceOverride.jar", "/opt/prog/java/bin/java"};
  platform.Run("-is:tempdir t");
  ASSERT_EQ(platform.launches.size(), 1u);
  EXPECT_EQ(platform.launches[0].program, "/opt/prog/java/bin/java");
  EXPECT_EQ(platform.launches[0].workingFolder, "/opt/prog/");
  EXPECT_EQ(platform.launches[0].parameters,
            "-Xms256m -Xmx512m -Djava.io.tmpdir=/home/ann/t -cp "
            "lib/status.jar:lib/tarnixLogServiceOverride.jar:lib/corvel.jar:setup.jar run "
            "-tarnixqel ");
}

}  // namespace
}  // namespace install
