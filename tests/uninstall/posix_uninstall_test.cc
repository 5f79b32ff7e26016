// The POSIX services of the uninstaller bootstrap, run for real in a fresh
// temporary folder.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/posix/posix_platform.h"
#include "uninstall/captured_java.h"
#include "uninstall/disk_space.h"

namespace install {
namespace {

namespace fs = std::filesystem;

class PosixUninstall : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "install-b-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
  }
  void TearDown() override { fs::remove_all(root); }

  static void Write(const fs::path& path, const std::string& content) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << content;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  PosixPlatform platform;
  fs::path root;
};

TEST_F(PosixUninstall, CapturedRunKeepsBothStreamsInOrder) {
  const std::string file = (root / "out").string();
  Write(file, "old content that must go");
  const CaptureOutcome done =
      platform.RunCaptured("/bin/sh", " -c \"echo out; echo err 1>&2; echo again\"", file);
  EXPECT_EQ(done.status, CaptureStatus::kDone);
  EXPECT_EQ(platform.ReadWholeFile(file), "out\nerr\nagain\n");

  EXPECT_EQ(platform.RunCaptured((root / "no-java").string(), " -x", file).status,
            CaptureStatus::kStartFailed);
  const CaptureOutcome unopened = platform.RunCaptured("/bin/sh", " -c true", "/nonexistent/f");
  EXPECT_EQ(unopened.status, CaptureStatus::kOpenFailed);
  EXPECT_EQ(unopened.errorCode, static_cast<std::uint32_t>(ENOENT));
  EXPECT_EQ(platform.ReadWholeFile("/nonexistent/f"), std::nullopt);
}

// A stand-in java that prints its arguments, one a line: the bundle command
// line reaches it as four arguments even with a blank in the install folder,
// and no output file is left behind.
TEST_F(PosixUninstall, BundleCallThroughTheRealPlatform) {
  const fs::path java = root / "java";
  Write(java, "#!/bin/sh\nprintf '%s\\n' \"$@\"\n");
  fs::permissions(java, fs::perms::owner_all);
  const fs::path temp = root / "tmp";
  fs::create_directory(temp);
  const char* previous = std::getenv("TMPDIR");
  const std::string saved = previous != nullptr ? previous : "";
  setenv("TMPDIR", temp.c_str(), 1);

  const std::string text = FetchBundleText(platform, java.string(), "/opt/my app/uninstall/",
                                           "uninstall.insufficientSpace151", "fallback");
  EXPECT_EQ(text, "-classpath /opt/my app/uninstall/setup.jar " + std::string(kBundleClass) +
                      " uninstall.insufficientSpace151 ");
  EXPECT_TRUE(fs::is_empty(temp));
  EXPECT_EQ(FetchBundleText(platform, (root / "none").string(), "/x/", "k", "fallback"),
            "fallback");

  if (previous != nullptr) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

TEST_F(PosixUninstall, TemporaryFileIsFreshAndUnique) {
  const std::string folder = root.string() + "/";
  const std::optional<std::string> first = platform.CreateTemporaryFile(folder, "QEL");
  const std::optional<std::string> second = platform.CreateTemporaryFile(folder, "QEL");
  ASSERT_TRUE(first && second);
  EXPECT_NE(*first, *second);
  EXPECT_TRUE(first->starts_with(folder + "QEL"));
  EXPECT_EQ(platform.ReadWholeFile(*first), "");
  platform.DeleteFile(*first);
  EXPECT_FALSE(fs::exists(*first));
  EXPECT_EQ(platform.CreateTemporaryFile("/nonexistent/", "QEL"), std::nullopt);
}

TEST_F(PosixUninstall, ListingAndSizeDoNotFollowLinks) {
  Write(root / "rt" / ".hidden", "12345");
  Write(root / "rt" / "bin" / "java", "1234567890");
  fs::create_directory(root / "rt" / "empty");
  fs::create_directory_symlink("..", root / "rt" / "bin" / "loop");
  fs::create_symlink("java", root / "rt" / "bin" / "java-link");
  // Sparse: a large logical size that takes no room.
  std::ofstream(root / "rt" / "big").close();
  fs::resize_file(root / "rt" / "big", 5120ull * 1048576);

  std::map<std::string, FolderEntry> entries;
  for (FolderEntry& entry : platform.ListFolder((root / "rt" / "bin").string())) {
    entries[entry.name] = entry;
  }
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_FALSE(entries["java"].isFolder || entries["java"].isLink);
  EXPECT_EQ(entries["java"].size, 10u);
  EXPECT_TRUE(entries["loop"].isLink);
  EXPECT_FALSE(entries["loop"].isFolder);
  EXPECT_TRUE(entries["java-link"].isLink);

  EXPECT_EQ(GetFolderSize(platform, (root / "rt").string()), 5120ull * 1048576 + 15);
  EXPECT_TRUE(platform.ListFolder((root / "missing").string()).empty());
  EXPECT_GT(platform.FreeBytes(root.string()).value_or(0), 0u);
  EXPECT_EQ(platform.FreeBytes((root / "missing").string()), std::nullopt);
}

TEST_F(PosixUninstall, CopyIsTheWholeTreeAndOnlyNewerFiles) {
  const fs::path source = root / "app" / ".." / "java";
  const fs::path destination = root / "app" / "java";
  fs::create_directories(root / "app");
  Write(source / "bin" / "java", "#!/bin/sh\n");
  fs::permissions(source / "bin" / "java", fs::perms::owner_all | fs::perms::group_read);
  Write(source / ".hidden", "dot");
  Write(source / "lib" / "deep" / "rt.jar", "classes");
  fs::create_directories(source / "empty" / "inner");
  fs::create_symlink("bin/java", source / "java-link");
  fs::create_directory_symlink("..", source / "lib" / "loop");

  ::testing::internal::CaptureStdout();
  platform.CopyRuntimeFolder(source.string(), destination.string(), "Bitte warten ", true,
                             (root / "app").string());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Bitte warten \n");

  EXPECT_EQ(Read(destination / "bin" / "java"), "#!/bin/sh\n");
  EXPECT_EQ(fs::status(destination / "bin" / "java").permissions(),
            fs::perms::owner_all | fs::perms::group_read);
  EXPECT_EQ(Read(destination / ".hidden"), "dot");
  EXPECT_EQ(Read(destination / "lib" / "deep" / "rt.jar"), "classes");
  EXPECT_TRUE(fs::is_directory(destination / "empty" / "inner"));
  EXPECT_EQ(fs::read_symlink(destination / "java-link"), "bin/java");
  EXPECT_EQ(fs::read_symlink(destination / "lib" / "loop"), "..");
  EXPECT_EQ(fs::last_write_time(destination / ".hidden"), fs::last_write_time(source / ".hidden"));

  // Up to date or newer in the destination: kept. Older there: replaced.
  const auto now = fs::file_time_type::clock::now();
  Write(destination / ".hidden", "newer copy");
  fs::last_write_time(destination / ".hidden", now);
  fs::last_write_time(source / ".hidden", now - std::chrono::hours(1));
  Write(source / "lib" / "deep" / "rt.jar", "updated");
  fs::last_write_time(source / "lib" / "deep" / "rt.jar", now + std::chrono::hours(1));
  ::testing::internal::CaptureStdout();
  platform.CopyRuntimeFolder(source.string(), destination.string(), "Bitte warten ", false,
                             (root / "app").string());
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
  EXPECT_EQ(Read(destination / ".hidden"), "newer copy");
  EXPECT_EQ(Read(destination / "lib" / "deep" / "rt.jar"), "updated");
}

TEST_F(PosixUninstall, CopyIntoItsOwnSubfolderEnds) {
  Write(root / "rt" / "a", "x");
  platform.CopyRuntimeFolder((root / "rt").string(), (root / "rt" / "copy").string(), "", false,
                             root.string());
  EXPECT_EQ(Read(root / "rt" / "copy" / "a"), "x");
  EXPECT_FALSE(fs::exists(root / "rt" / "copy" / "copy"));
}

}  // namespace
}  // namespace install
