// Recognises an uninstaller folder from the install folder's path alone.
#pragma once

#include <string_view>

namespace install {

// True when the last "uninstall" in the path is followed by at most two more
// characters (the folder is "uninstall" or "uninstall" plus one character, and
// the final separator), or when "uninstall_" occurs anywhere but at the start.
bool IsUninstallMode(std::string_view installFolder);

}  // namespace install
