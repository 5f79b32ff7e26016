#include "launcher/launch_mode.h"

#include "platform/platform.h"

namespace install {

std::string_view LaunchModeText(LaunchMode mode) {
  switch (mode) {
    case LaunchMode::TarnixPreInstall:
      return "-cp lib\\status.jar;lib\\tarnixLogServiceOverride.jar;lib\\corvel.jar;"
             "preSetup.jar;setup.jar PreInstallSetup -tarnixqel ";
    case LaunchMode::TarnixRun:
      return "-cp lib\\status.jar;lib\\tarnixLogServiceOverride.jar;lib\\corvel.jar;"
             "setup.jar run -tarnixqel ";
    case LaunchMode::PreInstall:
      return "-cp preSetup.jar;setup.jar PreInstallSetup ";
    case LaunchMode::Run:
      break;
  }
  return " -cp setup.jar run ";
}

LaunchMode ChooseLaunchMode(Platform& platform, const std::string& installFolder) {
  const Conventions& conventions = platform.conventions();
  const auto exists = [&](std::string_view relative) {
    return platform.PathExists(installFolder + Localize(conventions, relative));
  };
  const bool platformMarker = exists("lib\\tarnixLogServiceOverride.jar") ||
                              exists("FEP\\lib\\tarnixLogServiceOverride.jar");
  const bool mediaMarker = exists("mediaSpanInfo.xml");
  if (platformMarker) return mediaMarker ? LaunchMode::TarnixPreInstall : LaunchMode::TarnixRun;
  return mediaMarker ? LaunchMode::PreInstall : LaunchMode::Run;
}

}  // namespace install
