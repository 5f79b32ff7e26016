#include "uninstall/uninstall_mode.h"

#include <cstddef>

namespace install {
namespace {

// Characters, not bytes: a folder named "uninstallé" is "uninstall" plus one.
std::size_t CountCharacters(std::string_view text) {
  std::size_t count = 0;
  for (const char c : text) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace

bool IsUninstallMode(std::string_view installFolder) {
  constexpr std::string_view kName = "uninstall";
  const std::size_t last = installFolder.rfind(kName);
  if (last == std::string_view::npos) return false;
  if (CountCharacters(installFolder.substr(last + kName.size())) <= 2) return true;
  const std::size_t underscore = installFolder.rfind("uninstall_");
  return underscore != std::string_view::npos && underscore != 0;
}

}  // namespace install
