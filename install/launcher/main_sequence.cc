#include "launcher/main_sequence.h"

#include <new>

#include "diagnostics/error_report.h"
#include "diagnostics/log_file.h"
#include "launcher/java_arguments.h"
#include "launcher/java_discovery.h"
#include "launcher/launch_mode.h"
#include "launcher/options.h"
#include "uninstall/uninstall_mode.h"

namespace install {
namespace {

// The folder holding the launcher, always with a separator appended (so a
// launcher at a drive root gives a folder text ending in two).
std::string InstallFolderOf(const std::string& modulePath, const Conventions& conventions) {
  std::string folder = modulePath;
  const std::size_t last = folder.find_last_of(conventions.separator);
  if (last == std::string::npos) {
    folder.clear();
  } else if (last == 0 || (conventions.windowsPaths && last == 2 && folder[1] == ':')) {
    folder.resize(last + 1);  // a root keeps its separator
  } else {
    folder.resize(last);
  }
  folder += conventions.separator;
  return folder;
}

}  // namespace

int RunLauncher(Platform& platform, std::string commandLine) {
  const Conventions& conventions = platform.conventions();
  LaunchSettings settings;
  std::string installFolder;
  std::string javaArguments;
  try {
    installFolder = InstallFolderOf(platform.ModulePath(), conventions);
    settings.currentDirectory = platform.CurrentDirectory();
    const LaunchMode mode = ChooseLaunchMode(platform, installFolder);

    settings.commandLine = std::move(commandLine);
    if (ExtractOptions(settings, conventions) == OptionsResult::kInvalidJvmParameters) {
      platform.WriteConsoleLine("Invalid VANTORA_JVM_PARAMS argument");
      platform.ExitProcess(1);
    }
    javaArguments =
        AssembleJavaArguments(settings, Localize(conventions, LaunchModeText(mode)));
  } catch (const std::bad_alloc&) {
    platform.WriteConsoleLine("Unable to allocate memory");
    platform.ExitProcess(1);
  }

  const LogFile log = OpenLogFile(platform, settings);

  if (settings.responseFile && !platform.PathExists(*settings.responseFile)) {
    ReportFatalError(platform, "Responsefile not found",
                     "The specified response file does not exist at " +
                         *settings.responseFile +
                         " . Verify that the path is correct and that the file exists "
                         "at that location.",
                     log);
  }

  bool uninstallMode = false;
  if (!settings.javaHome) {
    uninstallMode = IsUninstallMode(installFolder);
    if (!uninstallMode && platform.PathExists(installFolder + "FEP" + conventions.separator +
                                              "setup.jar")) {
      installFolder += "FEP";
      installFolder += conventions.separator;
    }
  }
  const std::string java = DiscoverJava(platform, settings, installFolder, uninstallMode, log);

  const LaunchOutcome outcome =
      platform.LaunchAndWait(java, javaArguments, installFolder, settings.javaConsole);
  if (!outcome.started) {
    // No process, so no exit code to pass on: say why and fail.
    platform.WriteConsoleLine(std::to_string(outcome.errorCode));
    platform.WriteConsoleLine("Unable to start " + java);
    return 1;
  }
  if (outcome.waitFailed) platform.WriteConsoleLine(std::to_string(outcome.errorCode));
  return static_cast<int>(outcome.exitCode);
}

}  // namespace install
