// Texts in the user's language, fetched by running the installer's
// resource-bundle class with its output captured in a temporary file.
#pragma once

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace install {

// What a call returns when it could not be made; a call that ran can never
// return exactly this, since every captured word is followed by a blank.
inline constexpr std::string_view kFailureMarker = "-1";

inline constexpr std::string_view kBundleClass =
    "com.orrin.vantora.install.quon.framework.resourcebundle.ExternalQuonResourceBundleUtils";

// Every word of the output (white space: blank, tab, LF, VT, FF, CR) followed
// by one blank.
std::string FoldWords(std::string_view output);

// " -classpath \"<install folder>setup.jar\" <class> <key>"
std::string BundleCommandLine(std::string_view installFolder, std::string_view key);

std::string RunCapturedJavaCall(Platform& platform, const std::string& javaExecutable,
                                const std::string& commandLine);

// The bundle text for `key`, or `fallback` when the call could not be made.
std::string FetchBundleText(Platform& platform, const std::string& javaExecutable,
                            std::string_view installFolder, std::string_view key,
                            const std::string& fallback);

}  // namespace install
