// Chooses the java executable the installer runs with.
#pragma once

#include <string>

#include "diagnostics/log_file.h"
#include "launcher/launch_settings.h"
#include "platform/platform.h"

namespace install {

// From the Java home when one is given, else from the installer or the
// uninstaller search list under the install folder. Logs every candidate, then
// the choice, and closes the log; ends the run with "Java Not Found" when no
// candidate exists.
std::string DiscoverJava(Platform& platform, const LaunchSettings& settings,
                         const std::string& installFolder, bool uninstallMode,
                         const LogFile& log);

}  // namespace install
