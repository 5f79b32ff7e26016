// Placeholder until the uninstaller bootstrap lands.
#include "uninstall/captured_java.h"
#include "uninstall/disk_space.h"
#include "uninstall/relocation.h"

namespace install {

std::string FoldWords(std::string_view) { return {}; }
std::string BundleCommandLine(std::string_view, std::string_view) { return {}; }
std::string RunCapturedJavaCall(Platform&, const std::string&, const std::string&) {
  return std::string(kFailureMarker);
}
std::string FetchBundleText(Platform&, const std::string&, std::string_view,
                            std::string_view, const std::string& fallback) {
  return fallback;
}
std::uint64_t GetFolderSize(Platform&, const std::string&) { return 0; }
void CheckUninstallDiskSpace(Platform&, const std::string&, const std::string&,
                             const std::string&, const LogFile&) {}
void RelocateJavaRuntime(Platform&, const LaunchSettings&, const std::string&,
                         const std::string&, const std::string&, const std::string&) {}

}  // namespace install
