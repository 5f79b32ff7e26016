#include "launcher/java_discovery.h"

#include <span>
#include <string_view>

#include "diagnostics/error_report.h"
#include "uninstall/disk_space.h"
#include "uninstall/relocation.h"

namespace install {
namespace {

struct Candidate {
  std::string_view java;
  // Set for a runtime beside the install folder, which is copied into it
  // first: the folder copied, the copy's folder, and the java inside the copy.
  std::string_view sourceFolder = {};
  std::string_view destinationFolder = {};
  std::string_view copiedJava = {};
};

constexpr Candidate kInstallerList[] = {
    {"java\\jre\\bin\\java.exe"},
    {"java\\bin\\java.exe"},
    {"..\\JDK\\jre.pak\\repository\\package.java.jre\\java\\jre\\bin\\java.exe"},
};

constexpr Candidate kUninstallerList[] = {
    {"java\\jre\\bin\\java.exe"},
    {"java\\bin\\java.exe"},
    {"jre\\bin\\java.exe"},
    {"..\\java\\jre\\bin\\java.exe", "..\\java", "java", "java\\jre\\bin\\java.exe"},
    {"..\\java\\bin\\java.exe", "..\\java", "java", "java\\bin\\java.exe"},
    {"..\\jre\\bin\\java.exe", "..\\jre", "jre", "jre\\bin\\java.exe"},
};

std::string JavaFromHome(const Conventions& conventions, std::string home) {
  if (!home.ends_with(conventions.separator)) home += conventions.separator;
  return home + Localize(conventions, "bin\\java.exe");
}

}  // namespace

std::string DiscoverJava(Platform& platform, const LaunchSettings& settings,
                         const std::string& installFolder, bool uninstallMode,
                         const LogFile& log) {
  const Conventions& conventions = platform.conventions();
  const auto under = [&](std::string_view relative) {
    return installFolder + Localize(conventions, relative);
  };

  std::string java;
  if (settings.javaHome) {
    // Taken on trust: a home without java shows when the start fails.
    java = JavaFromHome(conventions, *settings.javaHome);
    if (log.enabled) LogJavaCandidate(platform, log, java);
  } else {
    const std::span<const Candidate> list =
        uninstallMode ? std::span<const Candidate>(kUninstallerList)
                      : std::span<const Candidate>(kInstallerList);
    const Candidate* winner = nullptr;
    for (const Candidate& candidate : list) {
      java = under(candidate.java);
      if (log.enabled) LogJavaCandidate(platform, log, java);
      if (platform.PathExists(java)) {
        winner = &candidate;
        break;
      }
    }
    if (winner == nullptr) {
      ReportFatalError(platform, "Java Not Found",
                       "Java could not be found, please specify -is:javahome <java_home_dir>",
                       log);
    }
    if (!winner->sourceFolder.empty()) {
      const std::string source = under(winner->sourceFolder);
      CheckUninstallDiskSpace(platform, installFolder, source, java, log);
      RelocateJavaRuntime(platform, settings, under(winner->destinationFolder), java,
                          source, installFolder);
      java = under(winner->copiedJava);
    }
  }
  if (log.enabled) LogChosenJava(platform, log, java);
  return java;
}

}  // namespace install
