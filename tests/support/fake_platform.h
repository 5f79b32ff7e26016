// A recording fake of the platform seam: an in-memory install folder, and a
// trace of what the core asked for, so tests assert on both.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace install::testing {

// Thrown by ExitProcess so a test can see the code and the run unwinds.
struct FakeExit {
  int code;
};

class FakePlatform : public Platform {
 public:
  explicit FakePlatform(const Conventions& conventions = kWindowsConventions);

  // --- what the fake world looks like -------------------------------------
  Conventions conventions_;
  std::string modulePath;
  std::string currentDirectory;
  std::set<std::string> existing;            // files and folders that exist
  std::map<std::string, std::string> files;  // content of files, by path
  std::set<std::string> unwritable;          // paths a log cannot be created at
  LaunchOutcome launchOutcome{.started = true};
  std::optional<std::string> temporaryFolder;
  bool temporaryFileFails = false;
  // What a captured run does; by default it writes `capturedOutput` to the file.
  std::function<CaptureOutcome(const std::string& program, const std::string& commandLine,
                               const std::string& outputFile)>
      onCapture;
  std::string capturedOutput;
  std::map<std::string, std::vector<FolderEntry>> folders;
  std::optional<std::uint64_t> freeBytes;

  // --- what the core asked for --------------------------------------------
  struct Launch {
    std::string program, parameters, workingFolder;
    bool shown;
  };
  struct Message {
    std::string title, message;
  };
  struct Capture {
    std::string program, commandLine, outputFile;
  };
  struct Copy {
    std::string source, destination, pleaseWaitText;
    bool showPleaseWait;
    std::string workingFolder;
  };
  std::vector<std::string> trace;  // every call, in order, one short line each
  std::vector<std::string> existsQueries;
  std::vector<std::string> consoleLines;
  std::vector<Message> messages;
  std::vector<Launch> launches;
  std::vector<Capture> captures;
  std::vector<Copy> copies;
  std::set<std::string> deleted;

  // Runs the launcher; returns its exit code whether it returned or exited.
  int Run(const std::string& commandLine);

  // --- the seam -------------------------------------------------------------
  const Conventions& conventions() const override { return conventions_; }
  std::string ModulePath() override;
  std::string CurrentDirectory() override;
  bool PathExists(const std::string& path) override;
  LogHandle CreateLogFile(const std::string& path) override;
  bool WriteLogFile(LogHandle handle, std::string_view text) override;
  void FlushLogFile(LogHandle handle) override;
  void CloseLogFile(LogHandle handle) override;
  void ShowModalMessage(const std::string& title, const std::string& message) override;
  void WriteConsoleLine(std::string_view line) override;
  [[noreturn]] void ExitProcess(int code) override;
  LaunchOutcome LaunchAndWait(const std::string& program, const std::string& parameters,
                              const std::string& workingFolder, bool shown) override;
  std::string SystemFolder() override;
  std::optional<std::string> TemporaryFolder() override;
  std::optional<std::string> CreateTemporaryFile(const std::string& folder,
                                                 std::string_view prefix) override;
  CaptureOutcome RunCaptured(const std::string& program, const std::string& commandLine,
                             const std::string& outputFile) override;
  std::optional<std::string> ReadWholeFile(const std::string& path) override;
  void DeleteFile(const std::string& path) override;
  std::vector<FolderEntry> ListFolder(const std::string& folder) override;
  std::optional<std::uint64_t> FreeBytes(const std::string& folder) override;
  void CopyRuntimeFolder(const std::string& source, const std::string& destination,
                         const std::string& pleaseWaitText, bool showPleaseWait,
                         const std::string& workingFolder) override;

 private:
  std::map<LogHandle, std::string> openLogs_;
  LogHandle nextHandle_ = 3;
  int temporaryCount_ = 0;
};

}  // namespace install::testing
