// Placeholder until the uninstaller bootstrap lands.
#include "platform/posix/posix_platform.h"

namespace install {

std::string PosixPlatform::SystemFolder() { return "/usr/bin"; }
std::optional<std::string> PosixPlatform::TemporaryFolder() { return std::nullopt; }
std::optional<std::string> PosixPlatform::CreateTemporaryFile(const std::string&,
                                                              std::string_view) {
  return std::nullopt;
}
CaptureOutcome PosixPlatform::RunCaptured(const std::string&, const std::string&,
                                          const std::string&) {
  return {CaptureStatus::kStartFailed, 0};
}
std::optional<std::string> PosixPlatform::ReadWholeFile(const std::string&) { return std::nullopt; }
void PosixPlatform::DeleteFile(const std::string&) {}
std::vector<FolderEntry> PosixPlatform::ListFolder(const std::string&) { return {}; }
std::optional<std::uint64_t> PosixPlatform::FreeBytes(const std::string&) { return std::nullopt; }
void PosixPlatform::CopyRuntimeFolder(const std::string&, const std::string&,
                                      const std::string&, bool, const std::string&) {}

}  // namespace install
