// Runs the real launcher the way a user would: copied into a fresh install
// folder with a recording fake java, started with a command line from a chosen
// current directory, its standard output captured.
//
// Relative names and expected texts are written in Windows form, as the
// launcher's own tables are; Native() turns them into this platform's form.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace e2e {

#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
inline constexpr bool kWindows = true;
#else
inline constexpr std::string_view kLineEnd = "\n";
inline constexpr bool kWindows = false;
#endif

// "lib\\a.jar;setup.jar" on Windows; "lib/a.jar:setup.jar" elsewhere.
std::string Native(std::string_view windowsText);

// UTF-8 text to a path and back, whatever the platform's narrow encoding.
std::filesystem::path PathOf(std::string_view utf8);
std::string TextOf(const std::filesystem::path& path);

// One start of the fake java, as it recorded it.
struct JavaCall {
  std::vector<std::string> args;
  std::string workingFolder;
  std::string executable;   // the binary that ran, as the system resolved it
  std::string commandLine;  // Windows only
  std::string showState;    // Windows only: wShowWindow, or "none"
  long pid = 0;
};

struct RunOptions {
  // The arguments as a shell hands them over. On Windows they are joined into
  // one command-line text, an argument with a blank and no quote in quotes.
  std::vector<std::string> args = {};
  // Windows only: the command-line text after the program name, used instead
  // of joining `args`, so that the launcher's own tokenizer gets it as typed.
  std::optional<std::string> commandLine = {};
  // Empty: the folder "elsewhere" beside the install folder.
  std::filesystem::path currentDirectory = {};
  // Set for this run only, e.g. {"FAKE_JAVA_EXIT", "7"}.
  std::vector<std::pair<std::string, std::string>> environment = {};
};

struct RunResult {
  // The launcher's exit code; on POSIX, minus the signal that ended it.
  long exitCode = -1;
  std::string output;  // standard output, byte for byte
  std::string errors;  // standard error, byte for byte
};

// A launcher that has been started and not yet waited for.
class Launched {
 public:
  Launched(std::filesystem::path root, long pid, void* handle)
      : root_(std::move(root)), pid_(pid), handle_(handle) {}
  Launched(const Launched&) = delete;
  Launched& operator=(const Launched&) = delete;
  Launched(Launched&& other) noexcept;
  ~Launched();

  long pid() const { return pid_; }
  RunResult Wait();

 private:
  std::filesystem::path root_;
  long pid_;
  void* handle_;  // Windows: the process handle
};

class InstallFolder {
 public:
  // A fresh temporary root holding the install folder `name` (with the
  // launcher copied into it) and an empty folder "elsewhere". It is removed at
  // the end unless the test has failed.
  explicit InstallFolder(std::string_view name = "Install Folder");
  InstallFolder(const InstallFolder&) = delete;
  InstallFolder& operator=(const InstallFolder&) = delete;
  ~InstallFolder();

  const std::filesystem::path& root() const { return root_; }
  const std::filesystem::path& folder() const { return folder_; }
  const std::filesystem::path& elsewhere() const { return elsewhere_; }

  // The install folder as the launcher names it, ending in a separator, and
  // a name below it (Windows form) as the launcher joins it.
  std::string FolderText() const;
  std::string PathText(std::string_view relative) const;

  // Creates a file, with its folders, at a name relative to the install
  // folder (Windows form; "..\\x" lies beside it).
  void AddFile(std::string_view relative, std::string_view content = {}) const;
  // Places the fake java in the folder `binFolder` relative to the install
  // folder and returns its path as PathText() names it.
  std::string AddJava(std::string_view binFolder) const;

  Launched Start(const RunOptions& options) const;
  RunResult Run(const RunOptions& options) const { return Start(options).Wait(); }

  // Every start of the fake java so far, in order; empty when it never ran.
  std::vector<JavaCall> JavaCalls() const;
  // Waits up to ten seconds for the fake java to have recorded `count` calls.
  bool WaitForJavaCalls(std::size_t count) const;

 private:
  std::filesystem::path root_;
  std::filesystem::path folder_;
  std::filesystem::path elsewhere_;
};

// The whole content of a file, or nothing when it does not exist.
std::optional<std::string> ReadFile(const std::filesystem::path& path);

// The java executable in a bin folder given in Windows form, in this
// platform's form ("java\\bin" gives "java/bin/java" on POSIX).
std::string JavaIn(std::string_view binFolder);

// One candidate line of the log.
std::string CandidateLine(const std::string& path);

// The log's candidate lines for the whole installer search list.
std::string InstallerListCandidateLines(const InstallFolder& install);

}  // namespace e2e
