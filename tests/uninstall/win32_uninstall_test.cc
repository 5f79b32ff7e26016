// The Win32 services of the uninstaller bootstrap, run for real (under Wine on
// a Linux machine) with the system's own cmd.exe and xcopy.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/win32_platform.h"
#include "platform/win32_test_support.h"
#include "uninstall/captured_java.h"
#include "uninstall/disk_space.h"

namespace install {
namespace {

namespace fs = std::filesystem;
using testing::NativePath;
using testing::ReadBytes;
using testing::TemporaryFolder;

void WriteBytes(const std::string& path, const std::string& bytes) {
  fs::create_directories(NativePath(path).parent_path());
  testing::WriteBytes(path, bytes);
}

class Win32Uninstall : public ::testing::Test {
 protected:
  // A temporary folder of the test's own, so that other programs' files in the
  // shared one cannot disturb the count.
  void SetUp() override {
    ownTemporary = temp.path + "\\tmp\\";
    std::filesystem::create_directories(NativePath(ownTemporary));
    for (const wchar_t* name : {L"TMP", L"TEMP"}) {
      wchar_t value[32768];
      const DWORD length = GetEnvironmentVariableW(name, value, 32768);
      saved.emplace_back(name, length == 0 ? std::wstring() : std::wstring(value, length));
      SetEnvironmentVariableW(name, NativePath(ownTemporary).c_str());
    }
  }
  void TearDown() override {
    for (const auto& [name, value] : saved) {
      SetEnvironmentVariableW(name.c_str(), value.empty() ? nullptr : value.c_str());
    }
  }

  std::set<fs::path> OutputFiles() {
    std::set<fs::path> found;
    for (const auto& entry : fs::directory_iterator(NativePath(*platform.TemporaryFolder()))) {
      if (entry.path().filename().wstring().starts_with(L"QEL")) found.insert(entry.path());
    }
    return found;
  }

  Win32Platform platform;
  TemporaryFolder temp;
  std::string ownTemporary;
  std::vector<std::pair<std::wstring, std::wstring>> saved;
};

TEST_F(Win32Uninstall, CapturedCallReadsBothStreamsAndLeavesNoFile) {
  const std::string interpreter = platform.SystemFolder() + "\\cmd.exe";
  const std::set<fs::path> before = OutputFiles();
  EXPECT_EQ(RunCapturedJavaCall(platform, interpreter, " /c echo hello& echo  world  1>&2"),
            "hello world ");
  EXPECT_EQ(OutputFiles(), before);
  EXPECT_EQ(*platform.TemporaryFolder(), ownTemporary);
  EXPECT_EQ(RunCapturedJavaCall(platform, temp.path + "\\no-java.exe", " -x"), "-1");
  EXPECT_EQ(OutputFiles(), before);
}

TEST_F(Win32Uninstall, FolderSizeFromTheListing) {
  WriteBytes(temp.path + "\\rt\\bin\\java.exe", std::string(10, 'x'));
  WriteBytes(temp.path + "\\rt\\hidden.dat", "12345");
  SetFileAttributesW(NativePath(temp.path + "\\rt\\hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
  fs::create_directories(NativePath(temp.path + "\\rt\\empty"));
  // A link back up the tree, where the system makes one (Wine 8 only says so).
  const std::wstring loopPath = NativePath(temp.path + "\\rt\\bin\\loop").wstring();
  CreateSymbolicLinkW(loopPath.c_str(), NativePath(temp.path + "\\rt").c_str(),
                      SYMBOLIC_LINK_FLAG_DIRECTORY);
  if (GetFileAttributesW(loopPath.c_str()) != INVALID_FILE_ATTRIBUTES) {
    const std::vector<FolderEntry> bin = platform.ListFolder(temp.path + "\\rt\\bin");
    ASSERT_EQ(bin.size(), 2u);
    const FolderEntry& loop = bin[0].name == "loop" ? bin[0] : bin[1];
    EXPECT_TRUE(loop.isLink);
  }
  EXPECT_EQ(GetFolderSize(platform, temp.path + "\\rt"), 15u);
  EXPECT_EQ(GetFolderSize(platform, temp.path + "\\missing"), 0u);
  EXPECT_GT(platform.FreeBytes(temp.path + "\\").value_or(0), 0u);
}

// Puts the current directory back: a command that got out would write there.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& folder) : previous_(fs::current_path()) {
    fs::current_path(NativePath(folder));
  }
  ~ScopedCurrentDirectory() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

TEST_F(Win32Uninstall, PleaseWaitTextIsOnlyEverEchoed) {
  const std::string install = temp.path + "\\a (b) & c^d\\uninstall";
  const std::string source = install + "\\..\\java";
  WriteBytes(temp.path + "\\a (b) & c^d\\java\\bin\\java.exe", "exe");
  WriteBytes(temp.path + "\\a (b) & c^d\\java\\lib\\hidden.jar", "jar");
  SetFileAttributesW(NativePath(temp.path + "\\a (b) & c^d\\java\\lib\\hidden.jar").c_str(),
                     FILE_ATTRIBUTE_HIDDEN);
  fs::create_directories(NativePath(temp.path + "\\a (b) & c^d\\java\\empty"));
  fs::create_directories(NativePath(install));
  ScopedCurrentDirectory here(install);

  const std::string text = "x & echo PWNED > pwned.txt | (y) ^ \"q\" < z ";
  ::testing::internal::CaptureStdout();
  platform.CopyRuntimeFolder(source, install + "\\java", text, true, install + "\\");
  const std::string shown = ::testing::internal::GetCapturedStdout();

  EXPECT_NE(shown.find(text), std::string::npos) << shown;
  EXPECT_FALSE(fs::exists(NativePath(install + "\\pwned.txt")));
  EXPECT_EQ(ReadBytes(install + "\\java\\bin\\java.exe"), "exe");
  EXPECT_EQ(ReadBytes(install + "\\java\\lib\\hidden.jar"), "jar");
  EXPECT_TRUE(fs::is_directory(NativePath(install + "\\java\\empty")));
  // The variables that carried the text are gone again.
  EXPECT_EQ(GetEnvironmentVariableW(L"VANTORA_COPY_TEXT", nullptr, 0), 0u);
}

TEST_F(Win32Uninstall, QuietCopyKeepsNewerFiles) {
  const std::string install = temp.path + "\\uninstall";
  WriteBytes(temp.path + "\\jre\\bin\\java.exe", "new runtime");
  WriteBytes(temp.path + "\\jre\\bin\\kept.dll", "old runtime");
  fs::create_directories(NativePath(install + "\\jre\\bin"));
  WriteBytes(install + "\\jre\\bin\\kept.dll", "newer copy");
  const auto now = fs::file_time_type::clock::now();
  fs::last_write_time(NativePath(temp.path + "\\jre\\bin\\kept.dll"), now - std::chrono::hours(1));
  fs::last_write_time(NativePath(install + "\\jre\\bin\\kept.dll"), now);

  ::testing::internal::CaptureStdout();
  platform.CopyRuntimeFolder(install + "\\..\\jre", install + "\\jre", "not shown", false,
                             install + "\\");
  EXPECT_EQ(::testing::internal::GetCapturedStdout().find("not shown"), std::string::npos);
  EXPECT_EQ(ReadBytes(install + "\\jre\\bin\\java.exe"), "new runtime");
  EXPECT_EQ(ReadBytes(install + "\\jre\\bin\\kept.dll"), "newer copy");
}

}  // namespace
}  // namespace install
