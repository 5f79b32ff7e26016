// Placeholder until the uninstaller bootstrap lands.
#include "platform/win32/win32_platform.h"

namespace install {

std::string Win32Platform::SystemFolder() { return {}; }
std::optional<std::string> Win32Platform::TemporaryFolder() { return std::nullopt; }
std::optional<std::string> Win32Platform::CreateTemporaryFile(const std::string&,
                                                              std::string_view) {
  return std::nullopt;
}
CaptureOutcome Win32Platform::RunCaptured(const std::string&, const std::string&,
                                          const std::string&) {
  return {CaptureStatus::kStartFailed, 0};
}
std::optional<std::string> Win32Platform::ReadWholeFile(const std::string&) { return std::nullopt; }
void Win32Platform::DeleteFile(const std::string&) {}
std::vector<FolderEntry> Win32Platform::ListFolder(const std::string&) { return {}; }
std::optional<std::uint64_t> Win32Platform::FreeBytes(const std::string&) { return std::nullopt; }
void Win32Platform::CopyRuntimeFolder(const std::string&, const std::string&,
                                      const std::string&, bool, const std::string&) {}

}  // namespace install
