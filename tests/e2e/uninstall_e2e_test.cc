// The launcher in an uninstaller folder, started for real: it finds the product's
// runtime beside the folder, copies it in and starts the uninstaller from the copy.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>

#include "e2e/e2e_harness.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mount.h>
#endif

namespace e2e {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using Variables = std::vector<std::pair<std::string, std::string>>;

constexpr std::string_view kBundleClass =
    "com.orrin.vantora.install.quon.framework.resourcebundle.ExternalQuonResourceBundleUtils";
const Strings kUninstallerArgs = {"-Xms256m", "-Xmx512m", "-cp", "setup.jar", "run"};



// The uninstaller list up to the runtime beside the folder as "..\java", as logged.
std::string CandidatesUpToRuntimeBeside(const InstallFolder& install) {
  std::string lines;
  for (const char* bin : {"java\\jre\\bin", "java\\bin", "jre\\bin", "..\\java\\jre\\bin"}) {
    lines += CandidateLine(install.PathText(JavaIn(bin)));
  }
  return lines;
}

Strings BundleArgs(const InstallFolder& install, const std::string& key) {
  return {"-classpath", install.PathText("setup.jar"), std::string(kBundleClass), key};
}

// The fake java records the file the system ran, with ".." resolved.
std::string RunFrom(const fs::path& java) { return TextOf(java.lexically_normal()); }

fs::path RuntimeBeside(const InstallFolder& install) { return install.root() / "java"; }
fs::path RuntimeCopy(const InstallFolder& install) { return install.folder() / "java"; }
fs::path JavaOf(const fs::path& runtime) {
  return runtime / "jre" / "bin" / (kWindows ? "java.exe" : "java");
}

// The product's runtime beside the install folder, with what a plain copy would
// miss: a hidden file and an empty folder.
void AddRuntimeBeside(const InstallFolder& install) {
  install.AddJava("..\\java\\jre\\bin");
  install.AddFile("..\\java\\release", "JAVA_VERSION=\"17\"\n");
  install.AddFile("..\\java\\jre\\lib\\.hidden", "hidden settings");
#ifdef _WIN32
  SetFileAttributesW((RuntimeBeside(install) / "jre" / "lib" / ".hidden").c_str(),
                     FILE_ATTRIBUTE_HIDDEN);
#endif
  fs::create_directories(RuntimeBeside(install) / "jre" / "lib" / "empty");
}

// The system temporary folder the launcher is given: one of the test's own, so
// that whatever the run leaves there can be listed.
fs::path TemporaryFolder(const InstallFolder& install) { return install.root() / "temp"; }

RunResult RunUninstaller(const InstallFolder& install, const Strings& args,
                         const Variables& variables = {}) {
  fs::create_directories(TemporaryFolder(install));
  const std::string temporary = TextOf(TemporaryFolder(install));
  Variables environment = {{"TMPDIR", temporary}, {"TMP", temporary}, {"TEMP", temporary}};
  environment.insert(environment.end(), variables.begin(), variables.end());
  return install.Run({.args = args, .environment = environment});
}

Strings LeftInTemporaryFolder(const InstallFolder& install) {
  Strings names;
  for (const auto& entry : fs::directory_iterator(TemporaryFolder(install))) {
    names.push_back(TextOf(entry.path().filename()));
  }
  return names;
}

std::size_t BundleCalls(const std::vector<JavaCall>& calls) {
  return std::count_if(calls.begin(), calls.end(), [](const JavaCall& call) {
    return std::find(call.args.begin(), call.args.end(), kBundleClass) != call.args.end();
  });
}

// The copy holds the whole runtime, hidden file and empty folder included.
void ExpectRuntimeCopied(const InstallFolder& install) {
  EXPECT_TRUE(fs::is_regular_file(JavaOf(RuntimeCopy(install))));
  EXPECT_EQ(ReadFile(RuntimeCopy(install) / "release"), "JAVA_VERSION=\"17\"\n");
  EXPECT_EQ(ReadFile(RuntimeCopy(install) / "jre" / "lib" / ".hidden"), "hidden settings");
  EXPECT_TRUE(fs::is_directory(RuntimeCopy(install) / "jre" / "lib" / "empty"));
}

TEST(Uninstall, RuntimeBesideTheFolderIsCopiedInAndTheUninstallerRunsFromTheCopy) {
  const InstallFolder install("uninstall");
  AddRuntimeBeside(install);

  // The bundle JVM's exit code is of no account; the uninstaller's is the launcher's.
  const RunResult result =
      RunUninstaller(install, {"-is:log", "run.log"}, {{"FAKE_JAVA_EXIT", "3"}});
  EXPECT_EQ(result.exitCode, 3);
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            CandidatesUpToRuntimeBeside(install) + "Using java in " +
                install.PathText(JavaIn("java\\jre\\bin")));
  ExpectRuntimeCopied(install);

  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 2u);
  // First the please-wait text, from the runtime beside the folder before the copy.
  EXPECT_EQ(calls[0].args, BundleArgs(install, "uninstall.initializingUninstall"));
  EXPECT_EQ(calls[0].executable, RunFrom(JavaOf(RuntimeBeside(install))));
  EXPECT_EQ(calls[1].args, kUninstallerArgs);
  EXPECT_EQ(calls[1].executable, RunFrom(JavaOf(RuntimeCopy(install))));
  EXPECT_EQ(calls[1].workingFolder, TextOf(install.folder()));
  EXPECT_EQ(LeftInTemporaryFolder(install), Strings{});
}

struct PleaseWaitCase {
  Strings args;
  bool shown;
};

TEST(Uninstall, PleaseWaitTextShowsUnlessSilent) {
  const PleaseWaitCase cases[] = {
      {{}, true},
      {{"-silent"}, false},
      {{"-silent", "-is:javaconsole"}, true},
  };
  for (const PleaseWaitCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.args));
    const InstallFolder install("uninstall");
    AddRuntimeBeside(install);
    // The text as the bundle class prints it; the launcher shows its words.
    const RunResult result =
        RunUninstaller(install, c.args, {{"FAKE_JAVA_BUNDLE_TEXT", "  Einen Moment,\tbitte "}});
    EXPECT_EQ(result.exitCode, 0);
    if (kWindows) {
      EXPECT_EQ(result.output.find("Einen Moment, bitte") != std::string::npos, c.shown)
          << result.output;
    } else {
      EXPECT_EQ(result.output, c.shown ? "Einen Moment, bitte \n" : "");
    }
    // Asked for every time, shown or not.
    const std::vector<JavaCall> calls = install.JavaCalls();
    EXPECT_EQ(BundleCalls(calls), 1u);
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].executable, RunFrom(JavaOf(RuntimeCopy(install))));
    ExpectRuntimeCopied(install);
    EXPECT_EQ(LeftInTemporaryFolder(install), Strings{});
  }
}

TEST(Uninstall, RuntimeInsideTheFolderWinsWithoutCopy) {
  const InstallFolder install("uninstall");
  AddRuntimeBeside(install);
  const std::string java = install.AddJava("java\\jre\\bin");

  const RunResult result = RunUninstaller(install, {"-is:log", "run.log"});
  EXPECT_EQ(result.exitCode, 0);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            CandidateLine(java) + "Using java in " + java);
  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].executable, RunFrom(JavaOf(RuntimeCopy(install))));
  EXPECT_FALSE(fs::exists(RuntimeCopy(install) / "release"));
}

TEST(Uninstall, FolderNameInAnotherCaseIsAnInstaller) {
  const InstallFolder install("Uninstall");
  AddRuntimeBeside(install);
  install.AddJava("jre\\bin");  // found by the uninstaller alone

  const RunResult result = RunUninstaller(install, {"-silent", "-is:log", "run.log"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            InstallerListCandidateLines(install) +
                "Java could not be found, please specify -is:javahome <java_home_dir>\n");
  EXPECT_TRUE(install.JavaCalls().empty());
  EXPECT_FALSE(fs::exists(RuntimeCopy(install)));
}

// What a shell or the command interpreter would run, were the text put to it as
// syntax; it must only ever be shown.
TEST(Uninstall, PleaseWaitTextIsShownNeverRun) {
  const char* texts[] = {
      "x & echo PWNED > pwned.txt",
      "x \" & echo PWNED > pwned.txt & \"",
      "x | echo PWNED > pwned.txt",
      "$(touch pwned.txt)",
      "`touch pwned.txt`; touch pwned.txt",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    const InstallFolder install("uninstall");
    AddRuntimeBeside(install);
    const RunResult result = RunUninstaller(install, {}, {{"FAKE_JAVA_BUNDLE_TEXT", text}});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.output.find(text), std::string::npos) << result.output;
    for (const auto& entry : fs::recursive_directory_iterator(install.root())) {
      EXPECT_NE(entry.path().filename(), "pwned.txt") << TextOf(entry.path());
    }
    // The text did not break the copy either.
    ExpectRuntimeCopied(install);
    EXPECT_EQ(install.JavaCalls().size(), 2u);
  }
}

// A newer file in the destination is the user's; an older one is replaced.
TEST(Uninstall, CopyReplacesOnlyOlderFiles) {
  for (const Strings& args : {Strings{}, Strings{"-silent"}}) {
    SCOPED_TRACE(testing::PrintToString(args));
    const InstallFolder install("uninstall");
    AddRuntimeBeside(install);
    install.AddFile("..\\java\\newer.txt", "source");
    install.AddFile("..\\java\\older.txt", "source");
    install.AddFile("java\\newer.txt", "kept");
    install.AddFile("java\\older.txt", "stale");
    const auto sourceTime = fs::last_write_time(RuntimeBeside(install) / "newer.txt");
    fs::last_write_time(RuntimeBeside(install) / "older.txt", sourceTime);
    fs::last_write_time(RuntimeCopy(install) / "newer.txt", sourceTime + std::chrono::hours(1));
    fs::last_write_time(RuntimeCopy(install) / "older.txt", sourceTime - std::chrono::hours(1));

    EXPECT_EQ(RunUninstaller(install, args).exitCode, 0);
    EXPECT_EQ(ReadFile(RuntimeCopy(install) / "newer.txt"), "kept");
    EXPECT_EQ(ReadFile(RuntimeCopy(install) / "older.txt"), "source");
    ExpectRuntimeCopied(install);
  }
}

#ifndef _WIN32
// A small volume of its own, unmounted again whatever the test's outcome.
class SmallVolume {
 public:
  explicit SmallVolume(const fs::path& where) : where_(where) {
    mounted_ = mount("tmpfs", where.c_str(), "tmpfs", 0, "size=8m") == 0;
  }
  SmallVolume(const SmallVolume&) = delete;
  SmallVolume& operator=(const SmallVolume&) = delete;
  ~SmallVolume() {
    if (mounted_) umount2(where_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }

 private:
  fs::path where_;
  bool mounted_ = false;
};

TEST(Uninstall, TooLittleSpaceForTheRuntimeEndsTheRun) {
  const InstallFolder install("uninstall");
  const SmallVolume volume(install.folder());
  if (!volume.mounted()) GTEST_SKIP() << "mounting a small volume is not permitted here";
  // The volume hides what the folder held: the launcher goes onto it again.
  const fs::path launcher = PathOf(E2E_LAUNCHER);
  fs::copy_file(launcher, install.folder() / launcher.filename());
  AddRuntimeBeside(install);
  // 5 GB in size, and nothing on disk.
  install.AddFile("..\\java\\lib\\modules");
  fs::resize_file(RuntimeBeside(install) / "lib" / "modules", std::uintmax_t{5} << 30);

  const RunResult result = RunUninstaller(install, {"-is:log", "run.log"});
  EXPECT_EQ(result.exitCode, 1);
  const std::string message = "Text of uninstall.insufficientSpace5120 ";
  EXPECT_EQ(ReadFile(install.elsewhere() / "run.log"),
            CandidatesUpToRuntimeBeside(install) + message + "\n");
  EXPECT_EQ(result.errors, "Text of Title.error \n" + message + "\n");
  EXPECT_EQ(result.output, "");
  // Message, then title, both from the runtime beside the folder; no uninstaller.
  const std::vector<JavaCall> calls = install.JavaCalls();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].args, BundleArgs(install, "uninstall.insufficientSpace5120"));
  EXPECT_EQ(calls[1].args, BundleArgs(install, "Title.error"));
  EXPECT_EQ(calls[0].executable, RunFrom(JavaOf(RuntimeBeside(install))));
  EXPECT_FALSE(fs::exists(RuntimeCopy(install)));
  EXPECT_EQ(LeftInTemporaryFolder(install), Strings{});
}
#endif

}  // namespace
}  // namespace e2e
