#include "uninstall/relocation.h"

#include "uninstall/captured_java.h"

namespace install {

void RelocateJavaRuntime(Platform& platform, const LaunchSettings& settings,
                         const std::string& destinationFolder,
                         const std::string& javaExecutable,
                         const std::string& sourceFolder,
                         const std::string& installFolder) {
  // Fetched even when it will not be shown, so every run asks Java the same.
  const std::string pleaseWait =
      FetchBundleText(platform, javaExecutable, installFolder, "uninstall.initializingUninstall",
                      "Initializing Uninstaller, Please Wait ....");
  // A Java console asks for the window even in a silent run.
  const bool showPleaseWait = !settings.silent || settings.javaConsole;
  platform.CopyRuntimeFolder(sourceFolder, destinationFolder, pleaseWait, showPleaseWait,
                             installFolder);
}

}  // namespace install
