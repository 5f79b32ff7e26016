// The four ways the installer is started, chosen from marker files.
#pragma once

#include <string>
#include <string_view>

namespace install {

class Platform;

enum class LaunchMode { TarnixPreInstall, TarnixRun, PreInstall, Run };

// The class path, main class and leading arguments of each mode, in Windows
// form (see Localize).
std::string_view LaunchModeText(LaunchMode mode);

// Looks for "lib\tarnixLogServiceOverride.jar" (else the same under "FEP\")
// and "mediaSpanInfo.xml" in the install folder.
LaunchMode ChooseLaunchMode(Platform& platform, const std::string& installFolder);

}  // namespace install
