// The seam between the launcher's core and the operating system.
//
// The core never calls the operating system itself: everything it needs is one
// of the operations below, named for what the core wants rather than for a
// system call. All text crossing the seam is UTF-8; a Windows implementation
// converts at its edge. Exactly two real implementations exist (win32/, posix/),
// and the unit tests use a recording fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/conventions.h"

namespace install {

// An open log file, or kInvalidLogHandle when the open failed.
using LogHandle = std::intptr_t;
inline constexpr LogHandle kInvalidLogHandle = -1;

struct FolderEntry {
  std::string name;
  bool isFolder = false;
  // A symbolic link or junction: never descended into, so a walk cannot loop.
  bool isLink = false;
  std::uint64_t size = 0;
};

// What became of a program started and waited for.
// "Could not start" is kept apart from "ended with N".
struct LaunchOutcome {
  bool started = false;
  bool waitFailed = false;      // the wait for a started program could not be made
  std::uint32_t errorCode = 0;  // the system's error number when not started or waitFailed
  std::uint32_t exitCode = 0;   // the program's exit code, as the system reports it
};

// What became of a program run with its output captured into a file.
enum class CaptureStatus {
  kDone,        // the program ran and ended; the file holds what it wrote
  kOpenFailed,  // the output file could not be opened (errorCode says why)
  kStartFailed, // the program could not be started
  kFlushFailed, // the output file could not be flushed after the run
};

struct CaptureOutcome {
  CaptureStatus status = CaptureStatus::kDone;
  std::uint32_t errorCode = 0;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // How names and paths are written on this platform.
  virtual const Conventions& conventions() const = 0;

  // Start-up.
  virtual std::string ModulePath() = 0;
  virtual std::string CurrentDirectory() = 0;
  // True for an existing file or folder; a relative path resolves against the
  // current directory.
  virtual bool PathExists(const std::string& path) = 0;

  // The log file: created afresh (an existing file is truncated), shared, not
  // inherited by child processes. Writes are single direct writes; on Windows
  // the UTF-8 text is written in the thread's ANSI code page.
  virtual LogHandle CreateLogFile(const std::string& path) = 0;
  virtual bool WriteLogFile(LogHandle handle, std::string_view text) = 0;
  virtual void FlushLogFile(LogHandle handle) = 0;
  virtual void CloseLogFile(LogHandle handle) = 0;

  // The modal message: blocks until acknowledged.
  virtual void ShowModalMessage(const std::string& title,
                                const std::string& message) = 0;
  // One console line on standard output: the text, a line end, a flush.
  virtual void WriteConsoleLine(std::string_view line) = 0;
  // Orderly process exit (standard output flushed).
  [[noreturn]] virtual void ExitProcess(int code) = 0;

  // Starts `program` with the one parameter text, in `workingFolder`, shown or
  // hidden, and waits for it without a time limit.
  virtual LaunchOutcome LaunchAndWait(const std::string& program,
                                      const std::string& parameters,
                                      const std::string& workingFolder,
                                      bool shown) = 0;

  // Uninstaller bootstrap.
  virtual std::string SystemFolder() = 0;
  // The user's temporary folder, ending in a separator.
  virtual std::optional<std::string> TemporaryFolder() = 0;
  // A fresh, empty file with a unique name beginning with `prefix`.
  virtual std::optional<std::string> CreateTemporaryFile(
      const std::string& folder, std::string_view prefix) = 0;
  // Runs `program` with the one command-line text, no window, its standard
  // output and error into `outputFile` (truncated first), and waits.
  virtual CaptureOutcome RunCaptured(const std::string& program,
                                     const std::string& commandLine,
                                     const std::string& outputFile) = 0;
  // The whole content of a file, or nothing when it cannot be opened. Windows
  // reads it in the ANSI code page, the one a redirected JVM writes in.
  virtual std::optional<std::string> ReadWholeFile(const std::string& path) = 0;
  virtual void DeleteFile(const std::string& path) = 0;
  // The entries of a folder ("." and ".." left out); empty when unreadable.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) = 0;
  // Free bytes on the volume holding `folder`, or nothing when unknown.
  virtual std::optional<std::uint64_t> FreeBytes(const std::string& folder) = 0;
  // Copies the runtime folder tree `source` into `destination` (tree, hidden
  // files, destination created, overwrite, only newer files). When
  // `showPleaseWait` is set the text stands in a visible window or console for
  // the duration of the copy; `workingFolder` is the copy's working folder.
  virtual void CopyRuntimeFolder(const std::string& source,
                                 const std::string& destination,
                                 const std::string& pleaseWaitText,
                                 bool showPleaseWait,
                                 const std::string& workingFolder) = 0;
};

}  // namespace install
