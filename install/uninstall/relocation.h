// Copies a Java runtime from beside the install folder into it.
#pragma once

#include <string>

#include "launcher/launch_settings.h"
#include "platform/platform.h"

namespace install {

void RelocateJavaRuntime(Platform& platform, const LaunchSettings& settings,
                         const std::string& destinationFolder,
                         const std::string& javaExecutable,
                         const std::string& sourceFolder,
                         const std::string& installFolder);

}  // namespace install
