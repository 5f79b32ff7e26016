// Entry point of the POSIX build: the arguments are joined back into the one
// command-line text the launcher scans, quoting those with blanks the same way
// forwarded arguments are quoted, so the tokenizer gives them back as passed.
#include <string>

#include "launcher/java_arguments.h"
#include "launcher/main_sequence.h"
#include "platform/posix/posix_platform.h"

int main(int argc, char** argv) {
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    const std::string argument = argv[i];
    // An empty argument stays one, as "" does on Windows.
    commandLine += argument.empty() ? "\"\"" : install::QuoteArgument(argument);
  }
  install::PosixPlatform platform;
  return install::RunLauncher(platform, std::move(commandLine));
}
