#include "uninstall/disk_space.h"

#include <optional>
#include <vector>

#include "diagnostics/error_report.h"
#include "uninstall/captured_java.h"

namespace install {
namespace {

constexpr std::uint64_t kMegabyte = 1048576;

}  // namespace

std::uint64_t GetFolderSize(Platform& platform, const std::string& folder) {
  const char separator = platform.conventions().separator;
  std::uint64_t size = 0;
  // A list of folders still to walk rather than recursion, so a deep tree
  // cannot exhaust the stack.
  std::vector<std::string> pending{folder};
  while (!pending.empty()) {
    std::string current = std::move(pending.back());
    pending.pop_back();
    if (!current.ends_with(separator)) current += separator;
    for (const FolderEntry& entry : platform.ListFolder(current)) {
      if (entry.isLink) continue;
      if (entry.isFolder) {
        pending.push_back(current + entry.name);
      } else {
        size += entry.size;
      }
    }
  }
  return size;
}

void CheckUninstallDiskSpace(Platform& platform, const std::string& installFolder,
                             const std::string& sourceFolder,
                             const std::string& javaExecutable, const LogFile& log) {
  const std::uint64_t required = GetFolderSize(platform, sourceFolder) / kMegabyte;
  // The check only warns ahead of the copy: with no figure to compare against,
  // the copy goes ahead and shows for itself whether it fits.
  const std::optional<std::uint64_t> freeBytes = platform.FreeBytes(installFolder);
  if (!freeBytes) return;
  const std::uint64_t free = *freeBytes / kMegabyte;
  if (required < free) return;

  const std::string digits = std::to_string(required == free ? required + 1 : required);
  // The bundle class receives the figure inside the key's one argument.
  const std::string message = FetchBundleText(
      platform, javaExecutable, installFolder, "uninstall.insufficientSpace" + digits,
      "Insufficient Space to initialize uninstall.  Required space : " + digits + " MB");
  const std::string title = FetchBundleText(platform, javaExecutable, installFolder,
                                            "Title.error", "Error, Insufficient Space ");
  ReportFatalError(platform, title, message, log);
}

}  // namespace install
