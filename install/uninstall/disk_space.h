// Makes sure the install folder's volume has room for a copy of the runtime.
#pragma once

#include <cstdint>
#include <string>

#include "diagnostics/log_file.h"
#include "platform/platform.h"

namespace install {

// The logical size of every file in the tree. Links are not followed and count
// as zero, so the walk ends on any tree; what cannot be listed counts as zero.
std::uint64_t GetFolderSize(Platform& platform, const std::string& folder);

// Returns when the copy fits; otherwise ends the run through the error report.
void CheckUninstallDiskSpace(Platform& platform, const std::string& installFolder,
                             const std::string& sourceFolder,
                             const std::string& javaExecutable, const LogFile& log);

}  // namespace install
