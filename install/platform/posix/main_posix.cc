// Entry point of the POSIX build: the arguments are joined back into the one
// command-line text the launcher scans. One that holds a blank and no double
// quote is wrapped in double quotes, and an empty one is written "", so the
// launcher's tokenizer (to which backslashes mean nothing) gives them back as
// the shell passed them.
#include <string>
#include <string_view>

#include "launcher/main_sequence.h"
#include "platform/posix/posix_platform.h"

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    const std::string_view argument = argv[i];
    const bool wrap = argument.empty() || (argument.find(' ') != std::string_view::npos &&
                                           argument.find('"') == std::string_view::npos);
    if (wrap) commandLine += '"';
    commandLine += argument;
    if (wrap) commandLine += '"';
  }
  install::PosixPlatform platform;
  return install::RunLauncher(platform, std::move(commandLine));
}
