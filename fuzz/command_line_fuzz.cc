// Fuzz target for everything that reads the command line: the tokenizer,
// option extraction, the Java argument text and the whole main sequence
// against the recording fake, on both platforms' conventions.
#include <cstddef>
#include <cstdint>
#include <string>

#include "launcher/java_arguments.h"
#include "launcher/options.h"
#include "platform/command_line.h"
#include "support/fake_platform.h"

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void RunOnce(const std::string& line, const install::Conventions& conventions) {
  install::LaunchSettings settings;
  settings.commandLine = line;
  settings.currentDirectory = conventions.windowsPaths ? "C:\\Work" : "/home/ann";
  if (install::ExtractOptions(settings, conventions) == install::OptionsResult::kOk) {
    Check(settings.initialHeap.has_value() && settings.maximumHeap.has_value());
    Check(settings.logEnabled == settings.logFileName.has_value());
    const std::string text = install::AssembleJavaArguments(settings, " -cp setup.jar run ");
    Check(text.starts_with("-Xms"));
    install::SplitWindowsCommandLine(text);
  }

  install::testing::FakePlatform platform(conventions);
  platform.existing.insert(platform.modulePath.substr(0, platform.modulePath.rfind(
                               conventions.separator) + 1) +
                           install::Localize(conventions, "java\\bin\\java.exe"));
  const int code = platform.Run(line);
  // Either the JVM ran (and its code came back) or the run ended with 1.
  Check(platform.launches.size() == 1 ? code == 0 : code == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string line(reinterpret_cast<const char*>(data), size);
  RunOnce(line, install::kWindowsConventions);
  RunOnce(line, install::kPosixConventions);
  return 0;
}
