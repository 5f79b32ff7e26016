// The parameter text of the installer's Java process.
#pragma once

#include <string>
#include <string_view>

#include "launcher/launch_settings.h"

namespace install {

// A text with a blank and no double quote comes back in double quotes (with a
// trailing run of backslashes doubled, so it still ends the text); anything
// else comes back unchanged.
std::string QuoteArgument(std::string_view text);

// Heap sizes, JVM parameters and temporary folder, the launch-mode text, the
// forwarded arguments and "-silent", joined with blanks.
std::string AssembleJavaArguments(const LaunchSettings& settings,
                                  std::string_view launchModeText);

}  // namespace install
