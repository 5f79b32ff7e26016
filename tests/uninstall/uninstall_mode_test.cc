#include "uninstall/uninstall_mode.h"

#include <gtest/gtest.h>

namespace install {
namespace {

TEST(IsUninstallMode, FromTheInstallFolderAlone) {
  const struct {
    const char* folder;
    bool uninstall;
  } cases[] = {
      {"C:\\Prog\\uninstall\\", true},
      {"C:\\Prog\\uninstall2\\", true},
      {"C:\\Prog\\uninstaller\\", false},
      {"C:\\Prog\\Uninstall\\", false},
      {"C:\\Prog\\uninstall_1\\bin\\", true},
      {"C:\\uninstall\\Prog\\", false},
      // Characters, not bytes: "é" is two bytes in UTF-8 but one character.
      {"C:\\Prog\\uninstallé\\", true},
      {"C:\\Prog\\uninstallée\\", false},
      // "uninstall_" counts anywhere but at the very start.
      {"uninstall_x\\Prog\\", false},
      {"/opt/uninstall_2/x/", true},
      {"/opt/uninstall/", true},
  };
  for (const auto& c : cases) EXPECT_EQ(IsUninstallMode(c.folder), c.uninstall) << c.folder;
}

}  // namespace
}  // namespace install
