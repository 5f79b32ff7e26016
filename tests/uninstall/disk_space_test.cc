#include "uninstall/disk_space.h"

#include <gtest/gtest.h>

#include "support/fake_platform.h"
#include "uninstall/captured_java.h"

namespace install {
namespace {

using testing::FakeExit;
using testing::FakePlatform;

constexpr std::uint64_t kMB = 1048576;
constexpr const char* kInstall = "C:\\Prog\\uninstall\\";
constexpr const char* kSource = "C:\\Prog\\uninstall\\..\\java";
constexpr const char* kJava = "C:\\Prog\\uninstall\\..\\java\\bin\\java.exe";

FolderEntry File(std::string name, std::uint64_t size) {
  return {.name = std::move(name), .size = size};
}
FolderEntry Folder(std::string name) { return {.name = std::move(name), .isFolder = true}; }

TEST(GetFolderSize, WholeTreeWithoutFollowingLinks) {
  FakePlatform platform;
  platform.folders["C:\\rt\\"] = {File(".hidden", 1), Folder("bin"), Folder("empty"),
                                  Folder("unreadable"), File("big", 5120 * kMB)};
  platform.folders["C:\\rt\\bin\\"] = {
      File("java.exe", 10),
      // A junction back to the top would never end if it were descended.
      {.name = "loop", .isFolder = true, .isLink = true},
      {.name = "linked.dll", .isLink = true, .size = 999},
  };
  platform.folders["C:\\rt\\bin\\loop\\"] = platform.folders["C:\\rt\\"];
  EXPECT_EQ(GetFolderSize(platform, "C:\\rt"), 5120 * kMB + 11);
  EXPECT_EQ(GetFolderSize(platform, "C:\\rt\\"), 5120 * kMB + 11);
  EXPECT_EQ(GetFolderSize(platform, "C:\\missing"), 0u);
}

// Runs the check; the exit code, or nothing when it returned.
std::optional<int> Check(FakePlatform& platform, std::uint64_t size,
                         std::optional<std::uint64_t> freeBytes) {
  platform.folders[std::string(kSource) + "\\"] = {File("rt.jar", size)};
  platform.freeBytes = freeBytes;
  try {
    CheckUninstallDiskSpace(platform, kInstall, kSource, kJava, LogFile{});
    return std::nullopt;
  } catch (const FakeExit& exit) {
    return exit.code;
  }
}

TEST(CheckUninstallDiskSpace, WholeMegabytesAndTheShownFigure) {
  const struct {
    std::uint64_t size;
    std::optional<std::uint64_t> freeBytes;
    const char* shown;  // nullptr when there is room
  } cases[] = {
      {150 * kMB, 151 * kMB, nullptr},
      {150 * kMB, 150 * kMB, "151"},  // equal is too little, and shows one more
      {150 * kMB, 100 * kMB, "150"},
      {150 * kMB, 151 * kMB - 1, "151"},  // free space is rounded down too
      {kMB - 1, kMB, nullptr},           // needs 0 MB
      {kMB - 1, kMB - 1, "1"},
      {0, 0, "1"},
      {5120 * kMB, 5120 * kMB + kMB, nullptr},  // the whole 64-bit size counts
      {5120 * kMB, 5000 * kMB, "5120"},
      // Unknown free space: the copy goes ahead.
      {5120 * kMB, std::nullopt, nullptr},
  };
  for (const auto& c : cases) {
    FakePlatform platform;
    platform.onCapture = [](auto&&...) { return CaptureOutcome{CaptureStatus::kStartFailed, 2}; };
    const std::optional<int> exit = Check(platform, c.size, c.freeBytes);
    const std::string label = std::to_string(c.size) + " bytes";
    if (c.shown == nullptr) {
      EXPECT_FALSE(exit) << label;
      EXPECT_TRUE(platform.captures.empty()) << label;
      EXPECT_TRUE(platform.messages.empty()) << label;
      continue;
    }
    EXPECT_EQ(exit, 1) << label;
    ASSERT_EQ(platform.captures.size(), 2u) << label;
    EXPECT_TRUE(platform.captures[0].commandLine.ends_with(
        std::string(" uninstall.insufficientSpace") + c.shown))
        << platform.captures[0].commandLine;
    ASSERT_EQ(platform.messages.size(), 1u) << label;
    EXPECT_EQ(platform.messages[0].title, "Error, Insufficient Space ");
    EXPECT_EQ(platform.messages[0].message,
              std::string("Insufficient Space to initialize uninstall.  Required space : ") +
                  c.shown + " MB");
  }
}

TEST(CheckUninstallDiskSpace, MessageFetchedBeforeTitleEachWithItsOwnFallback) {
  FakePlatform platform;
  // The message comes from the bundle; the title's call cannot start.
  platform.onCapture = [&](const std::string&, const std::string& line, const std::string& file) {
    if (line.ends_with("Title.error")) return CaptureOutcome{CaptureStatus::kStartFailed, 2};
    platform.files[file] = "Nicht genug Platz\r\n";
    return CaptureOutcome{};
  };
  EXPECT_EQ(Check(platform, 150 * kMB, 100 * kMB), 1);
  ASSERT_EQ(platform.captures.size(), 2u);
  EXPECT_EQ(platform.captures[0].program, kJava);
  EXPECT_EQ(platform.captures[0].commandLine,
            " -classpath \"C:\\Prog\\uninstall\\setup.jar\" " + std::string(kBundleClass) +
                " uninstall.insufficientSpace150");
  EXPECT_TRUE(platform.captures[1].commandLine.ends_with(" Title.error"));
  ASSERT_EQ(platform.messages.size(), 1u);
  EXPECT_EQ(platform.messages[0].title, "Error, Insufficient Space ");
  EXPECT_EQ(platform.messages[0].message, "Nicht genug Platz ");
  EXPECT_EQ(platform.consoleLines, std::vector<std::string>{"createprocess failed"});
}

}  // namespace
}  // namespace install
