// The launcher's whole run, from its command line to the installer's exit code.
#pragma once

#include <string>

#include "platform/platform.h"

namespace install {

// `commandLine` is the text after the program's own name. Returns the exit
// code of the installer's JVM; fatal conditions end the process inside.
int RunLauncher(Platform& platform, std::string commandLine);

}  // namespace install
