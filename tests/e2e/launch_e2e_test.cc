// The launcher started for real, as a user or an installation script starts it.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "e2e/e2e_harness.h"

#ifndef _WIN32
#include <signal.h>
#endif

namespace e2e {
namespace {

using Strings = std::vector<std::string>;

constexpr std::string_view kJavaNotFound =
    "Java could not be found, please specify -is:javahome <java_home_dir>";


Strings NativeAll(Strings texts) {
  for (std::string& text : texts) text = Native(text);
  return texts;
}

Strings Concat(Strings first, const Strings& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

// The arguments java receives in the Run launch mode.
Strings RunModeArgs(const Strings& jvmOptions, const Strings& mainClassArgs) {
  return Concat(Concat(jvmOptions, {"-cp", "setup.jar", "run"}), mainClassArgs);
}

const Strings kDefaultHeap = {"-Xms256m", "-Xmx512m"};

std::string Replaced(std::string text, std::string_view placeholder, std::string_view value) {
  for (std::size_t at; (at = text.find(placeholder)) != std::string::npos;) {
    text.replace(at, placeholder.size(), value);
  }
  return text;
}


struct LaunchModeCase {
  const char* name;
  Strings markers;
  Strings expectedArgs;          // Windows form
  const char* expectedParameters;  // Windows form: the whole text java.exe receives
};

TEST(Launch, LaunchModeComesFromMarkerFiles) {
  const LaunchModeCase cases[] = {
      {"no marker", {}, RunModeArgs(kDefaultHeap, {}), "-Xms256m -Xmx512m  -cp setup.jar run "},
      {"media marker",
       {"mediaSpanInfo.xml"},
       Concat(kDefaultHeap, {"-cp", "preSetup.jar;setup.jar", "PreInstallSetup"}),
       "-Xms256m -Xmx512m -cp preSetup.jar;setup.jar PreInstallSetup "},
      {"platform marker",
       {"lib\\tarnixLogServiceOverride.jar"},
       Concat(kDefaultHeap,
              {"-cp",
               "lib\\status.jar;lib\\tarnixLogServiceOverride.jar;lib\\corvel.jar;setup.jar",
               "run", "-tarnixqel"}),
       "-Xms256m -Xmx512m -cp lib\\status.jar;lib\\tarnixLogServiceOverride.jar;"
       "lib\\corvel.jar;setup.jar run -tarnixqel "},
      {"platform marker under FEP, media marker",
       {"FEP\\lib\\tarnixLogServiceOverride.jar", "mediaSpanInfo.xml"},
       Concat(kDefaultHeap, {"-cp",
                             "lib\\status.jar;lib\\tarnixLogServiceOverride.jar;"
                             "lib\\corvel.jar;preSetup.jar;setup.jar",
                             "PreInstallSetup", "-tarnixqel"}),
       "-Xms256m -Xmx512m -cp lib\\status.jar;lib\\tarnixLogServiceOverride.jar;"
       "lib\\corvel.jar;preSetup.jar;setup.jar PreInstallSetup -tarnixqel "},
      {"media marker only under FEP",
       {"FEP\\mediaSpanInfo.xml"},
       RunModeArgs(kDefaultHeap, {}),
       "-Xms256m -Xmx512m  -cp setup.jar run "},
  };
  for (const LaunchModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const InstallFolder install;
    const std::string java = install.AddJava("java\\jre\\bin");
    for (const std::string& marker : c.markers) install.AddFile(marker);

    const RunResult result = install.Run({});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "");
    const std::vector<JavaCall> calls = install.JavaCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].args, NativeAll(c.expectedArgs));
    EXPECT_EQ(calls[0].workingFolder, TextOf(install.folder()));
    if (kWindows) {
      EXPECT_EQ(calls[0].commandLine, "\"" + java + "\" " + c.expectedParameters);
    }
  }
}

TEST(Launch, FepSubfolderHoldsJavaAndWorkingFolderUnlessJavaHomeIsGiven) {
  const InstallFolder install;
  install.AddFile("FEP\\setup.jar");
  install.AddJava("FEP\\java\\jre\\bin");

  EXPECT_EQ(install.Run({}).exitCode, 0);
  install.AddJava("..\\jdk\\bin");
  EXPECT_EQ(install.Run({.args = {"-is:javahome", TextOf(install.root() / "jdk")}}).exitCode, 0);

  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].workingFolder, TextOf(install.folder() / "FEP"));
  EXPECT_EQ(calls[1].workingFolder, TextOf(install.folder()));
  if (kWindows) {
    EXPECT_NE(calls[0].commandLine.find(install.PathText(JavaIn("FEP\\java\\jre\\bin"))),
              std::string::npos);
  }
}

struct ArgumentsCase {
  const char* name;
  Strings args;
  Strings expectedArgs;  // <cwd> stands for the launcher's current directory
};

TEST(Launch, OptionsAndForwardedArgumentsReachJava) {
  const ArgumentsCase cases[] = {
      {"heap options in any order",
       {"-Xmx", "1024m", "-Xms", "300m"},
       RunModeArgs({"-Xms300m", "-Xmx1024m"}, {})},
      {"JVM parameters before the class path, single quotes dropped",
       {"VANTORA_JVM_PARAMS=\"-Xss2m -Dname='x'\""},
       RunModeArgs(Concat(kDefaultHeap, {"-Xss2m", "-Dname=x"}), {})},
      {"temporary folder with a blank, completed against the current directory",
       {"-is:tempdir", "my temp"},
       RunModeArgs(Concat(kDefaultHeap, {"-Djava.io.tmpdir=<cwd>my temp"}), {})},
      {"forwarded arguments with blanks and quotes; an empty one is dropped",
       {"plain", "two words", "-Dx=\"a b\"", "", "-SILENT"},
       RunModeArgs(kDefaultHeap, {"plain", "two words", "-Dx=a b", "-SILENT"})},
      {"-silent comes last",
       {"-silent", "-is:javaconsole", "tail"},
       RunModeArgs(kDefaultHeap, {"tail", "-silent"})},
      {"characters beyond any code page",
       {"Привет, мир", "漢字"},
       RunModeArgs(kDefaultHeap, {"Привет, мир", "漢字"})},
  };
  for (const ArgumentsCase& c : cases) {
    SCOPED_TRACE(c.name);
    const InstallFolder install;
    install.AddJava("java\\bin");
    const RunResult result = install.Run({.args = c.args});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.output, "");
    const std::vector<JavaCall> calls = install.JavaCalls();
    ASSERT_EQ(calls.size(), 1u);
    Strings expected = c.expectedArgs;
    for (std::string& text : expected) {
      text = Replaced(text, "<cwd>", TextOf(install.elsewhere()) + Native("\\"));
    }
    EXPECT_EQ(calls[0].args, expected);
  }
}

#ifdef _WIN32
TEST(Launch, TokenizerSplitsTheTypedCommandLine) {
  const InstallFolder install;
  install.AddJava("java\\bin");
  const RunResult result = install.Run({.commandLine = "  \"abc\"def   -Dx=\"a b\"  \"\"  "});
  EXPECT_EQ(result.exitCode, 0);
  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].args, RunModeArgs(kDefaultHeap, {"abc", "def", "-Dx=a b"}));
  EXPECT_TRUE(calls[0].commandLine.ends_with(" -cp setup.jar run  abc def -Dx=\"a b\""))
      << calls[0].commandLine;
}
#endif

TEST(Launch, MalformedJvmParametersStopBeforeAnythingElse) {
  const Strings malformed[] = {
      {"VANTORA_JVM_PARAMS=-Xss2m"},
      {"VANTORA_JVM_PARAMS", "-Xss2m -Dname=x"},
  };
  for (const Strings& args : malformed) {
    SCOPED_TRACE(args[0]);
    const InstallFolder install;
    install.AddJava("java\\jre\\bin");
    install.AddFile("..\\elsewhere\\run.log", "earlier run");

    const RunResult result = install.Run({.args = Concat(args, {"-is:log", "run.log"})});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.output, "Invalid VANTORA_JVM_PARAMS argument" + std::string(kLineEnd));
    EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"), "earlier run");
    EXPECT_TRUE(install.JavaCalls().empty());
  }
}

TEST(Launch, ExitCodeOfJavaBecomesTheLaunchers) {
  Strings codes = {"0", "7"};
  if (kWindows) codes.push_back("300");
  for (const std::string& code : codes) {
    SCOPED_TRACE(code);
    const InstallFolder install;
    install.AddJava("java\\jre\\bin");
    const RunResult result = install.Run({.environment = {{"FAKE_JAVA_EXIT", code}}});
    EXPECT_EQ(result.exitCode, std::stol(code));
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(install.JavaCalls().size(), 1u);
  }
}

TEST(Launch, LogListsTheCandidatesAndTheChoice) {
  const InstallFolder install;
  const std::string java = install.AddJava("java\\bin");
  install.AddFile("..\\elsewhere\\run.log", std::string(500, 'x'));  // truncated, not appended to

  EXPECT_EQ(install.Run({.args = {"-is:log", "run.log"}}).exitCode, 0);
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            CandidateLine(install.PathText(JavaIn("java\\jre\\bin"))) + CandidateLine(java) +
                "Using java in " + java);
  EXPECT_EQ(install.JavaCalls().size(), 1u);
}

// A log in a folder that does not exist, or "-is:log" with no name after it,
// cannot be opened: the run goes on exactly as without a log.
TEST(Launch, LogThatCannotBeCreatedChangesNothing) {
  for (const Strings& logArgs : {Strings{"-is:log", Native("no such folder\\run.log")},
                                 Strings{"-silent", "-is:log"}}) {
    SCOPED_TRACE(logArgs.back());
    const InstallFolder install;
    install.AddJava("java\\jre\\bin");
    const RunResult result =
        install.Run({.args = logArgs, .environment = {{"FAKE_JAVA_EXIT", "7"}}});
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(install.JavaCalls().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(install.elsewhere() / "no such folder"));
  }
}

TEST(Launch, JavaHomeIsUsedWithOrWithoutFinalSeparator) {
  for (const char* ending : {"", "\\"}) {
    SCOPED_TRACE(ending);
    const InstallFolder install;
    install.AddJava("java\\jre\\bin");  // passed over: the home wins
    install.AddJava("..\\my jdk\\bin");
    const std::string home = TextOf(install.root() / "my jdk") + Native(ending);
    const std::string java = TextOf(install.root() / "my jdk") + JavaIn("\\bin");

    const RunResult result =
        install.Run({.args = {"-is:javahome", home, "-is:log", "run.log"}});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
              CandidateLine(java) + "Using java in " + java);
    ASSERT_EQ(install.JavaCalls().size(), 1u);
    if (kWindows) {
      EXPECT_TRUE(install.JavaCalls()[0].commandLine.starts_with("\"" + java + "\""));
    }
  }
}

TEST(Launch, JavaNotFoundIsReportedAndLogged) {
  const InstallFolder install;
  install.AddJava("jre\\bin");  // only the uninstaller looks here and beside the folder
  install.AddJava("..\\java\\bin");

  const RunResult result = install.Run({.args = {"-silent", "-is:log", "run.log"}});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            InstallerListCandidateLines(install) +
                std::string(kJavaNotFound) + "\n");
  if (!kWindows) {
    // Without a message box the title and message go to standard error.
    EXPECT_NE(result.errors.find("Java Not Found"), std::string::npos) << result.errors;
    EXPECT_NE(result.errors.find(kJavaNotFound), std::string::npos) << result.errors;
  }
}

TEST(Launch, MissingResponseFileStopsBeforeJava) {
  const InstallFolder install;
  install.AddJava("java\\jre\\bin");
  install.AddFile("answers.txt");  // in the install folder, not the current directory

  const RunResult result =
      install.Run({.args = {"-options", "answers.txt", "-is:log", "run.log"}});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            "The specified response file does not exist at " + TextOf(install.elsewhere()) +
                Native("\\answers.txt") +
                " . Verify that the path is correct and that the file exists at that "
                "location.\n");
  EXPECT_TRUE(install.JavaCalls().empty());
  if (!kWindows) {
    EXPECT_NE(result.errors.find("Responsefile not found"), std::string::npos) << result.errors;
  }
}

TEST(Launch, JavaRunsInTheInstallFolderWhateverTheCurrentDirectory) {
  const InstallFolder install;
  install.AddJava("java\\jre\\bin");
  install.AddFile("..\\elsewhere\\answers.txt");

  const RunResult result = install.Run({.args = {"-options", "answers.txt"}});
  EXPECT_EQ(result.exitCode, 0);
  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].workingFolder, TextOf(install.folder()));
  // The response file reaches the installer as typed.
  EXPECT_EQ(calls[0].args, RunModeArgs(kDefaultHeap, {"-options", "answers.txt"}));
}

TEST(Launch, InstallFolderNameBeyondAnyCodePage) {
  const InstallFolder install("Установка 安装");
  const std::string java = install.AddJava("java\\jre\\bin");
  const RunResult result = install.Run({.environment = {{"FAKE_JAVA_EXIT", "5"}}});
  EXPECT_EQ(result.exitCode, 5);
  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].workingFolder, TextOf(install.folder()));
  if (kWindows) {
    EXPECT_TRUE(calls[0].commandLine.starts_with("\"" + java + "\""));
  }
}

TEST(Launch, JavaHomeWithoutJavaFailsWithAConsoleLine) {
  const InstallFolder install;
  install.AddJava("java\\jre\\bin");
  const std::string home = TextOf(install.root() / "empty jdk");
  const RunResult result = install.Run({.args = {"-is:javahome", home}});
  EXPECT_EQ(result.exitCode, 1);
  // The system's error number, then what could not be started.
  const std::string unable =
      "Unable to start " + home + JavaIn("\\bin") + std::string(kLineEnd);
  ASSERT_TRUE(result.output.ends_with(std::string(kLineEnd) + unable)) << result.output;
  const std::string number = result.output.substr(0, result.output.find(kLineEnd));
  EXPECT_FALSE(number.empty());
  EXPECT_EQ(number.find_first_not_of("0123456789"), std::string::npos) << number;
  EXPECT_EQ(result.output, number + std::string(kLineEnd) + unable);
  EXPECT_TRUE(install.JavaCalls().empty());
}

#ifdef _WIN32
TEST(Launch, JavaConsoleShowsTheJavaWindow) {
  const std::pair<Strings, const char*> cases[] = {{{}, "0"}, {{"-is:javaconsole"}, "1"}};
  for (const auto& [args, show] : cases) {
    SCOPED_TRACE(show);
    const InstallFolder install;
    install.AddJava("java\\jre\\bin");
    EXPECT_EQ(install.Run({.args = args}).exitCode, 0);
    const std::vector<JavaCall> calls = install.JavaCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].showState, show);
    EXPECT_EQ(calls[0].args, RunModeArgs(kDefaultHeap, {}));
  }
}
#else
TEST(Launch, JavaKilledBySignalGives128PlusSignal) {
  const InstallFolder install;
  install.AddJava("java\\jre\\bin");
  Launched launcher = install.Start({.environment = {{"FAKE_JAVA_SLEEP", "30"}}});
  ASSERT_TRUE(install.WaitForJavaCalls(1));
  kill(static_cast<pid_t>(install.JavaCalls()[0].pid), SIGKILL);
  EXPECT_EQ(launcher.Wait().exitCode, 128 + SIGKILL);
}

TEST(Launch, TerminationOfTheLauncherReachesJava) {
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    const InstallFolder install;
    install.AddJava("java\\jre\\bin");
    Launched launcher = install.Start({.environment = {{"FAKE_JAVA_SLEEP", "30"}}});
    ASSERT_TRUE(install.WaitForJavaCalls(1));
    // The launcher sets up the hand-on right after starting java; give it a moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    kill(static_cast<pid_t>(launcher.pid()), signal);
    // The launcher outlives the signal and ends with java, which the signal ended.
    EXPECT_EQ(launcher.Wait().exitCode, 128 + signal);
  }
}
#endif

}  // namespace
}  // namespace e2e
