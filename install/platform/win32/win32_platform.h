// The Win32 implementation of the platform seam.
#pragma once

#include "platform/platform.h"

namespace install {

class Win32Platform final : public Platform {
 public:
  const Conventions& conventions() const override { return kWindowsConventions; }

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

  // The uninstaller bootstrap's services (win32_uninstall.cc).
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
};

}  // namespace install
