// Windows command-line quoting rules as pure functions, so that every host
// can build and test them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace install {

// Splits a parameter text the way the Windows C runtime splits a command line:
// blanks and tabs separate, double quotes group ("" inside a group is one
// quote), 2n backslashes before a quote give n and the quote groups, 2n+1 give
// n and a literal quote, other backslashes are literal.
std::vector<std::string> SplitWindowsCommandLine(std::string_view text);

}  // namespace install
