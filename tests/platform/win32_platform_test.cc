#include "platform/win32/win32_platform.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "platform/win32/text.h"
#include "platform/win32_test_support.h"

namespace install {
namespace {

using testing::NativePath;
using testing::ReadBytes;
using testing::ScopedThreadLocale;
using testing::TemporaryFolder;
using testing::WriteBytes;
using win32::Narrow;
using win32::Widen;

// Puts the process's current directory back after a test that moves it.
class ScopedCurrentDirectory {
 public:
  explicit ScopedCurrentDirectory(const std::string& folder)
      : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(NativePath(folder));
  }
  ~ScopedCurrentDirectory() { std::filesystem::current_path(previous_); }

 private:
  std::filesystem::path previous_;
};

class Win32PlatformTest : public ::testing::Test {
 protected:
  Win32Platform platform;
  TemporaryFolder temp;
};

TEST_F(Win32PlatformTest, ModulePathAndCurrentDirectoryAreUtf8) {
  const std::string module = platform.ModulePath();
  EXPECT_TRUE(module.ends_with("\\install_tests.exe")) << module;
  EXPECT_TRUE(platform.PathExists(module));

  const std::string folder = temp.path + "\\Каталог 日本";
  std::filesystem::create_directory(NativePath(folder));
  ScopedCurrentDirectory moved(folder);
  EXPECT_EQ(platform.CurrentDirectory(), folder);
}

TEST_F(Win32PlatformTest, PathExistsForFilesAndFolders) {
  const std::string nonAscii = temp.path + "\\Папка ქართული 日本";
  std::filesystem::create_directories(NativePath(temp.path + "\\sub"));
  std::filesystem::create_directories(NativePath(nonAscii));
  WriteBytes(temp.path + "\\sub\\file.txt", "x");
  WriteBytes(nonAscii + "\\setup.jar", "x");

  // Longer than MAX_PATH, and written with ".." as the core joins paths.
  const std::string part(100, 'd');
  const std::string deep = temp.path + "\\" + part + "\\" + part + "\\" + part;
  std::filesystem::create_directories(std::filesystem::path(L"\\\\?\\" + Widen(deep)));
  WriteBytes(deep + "\\java.exe", "x");
  ASSERT_GT(Widen(deep).size(), static_cast<std::size_t>(MAX_PATH));

  ScopedCurrentDirectory moved(temp.path);
  const struct {
    std::string path;
    bool exists;
  } cases[] = {
      {temp.path + "\\sub\\file.txt", true},
      {temp.path + "\\sub", true},
      {temp.path + "\\sub\\", true},
      {temp.path + "\\sub\\missing.txt", false},
      {temp.path + "\\missing\\file.txt", false},
      {nonAscii, true},
      {nonAscii + "\\setup.jar", true},
      {"sub\\file.txt", true},  // relative to the current directory
      {"missing.txt", false},
      {"", false},
      {deep + "\\java.exe", true},
      {deep + "\\..\\" + part + "\\java.exe", true},
      {deep + "\\missing.exe", false},
  };
  for (const auto& c : cases) EXPECT_EQ(platform.PathExists(c.path), c.exists) << c.path;
}

TEST_F(Win32PlatformTest, LogFileIsCreatedTruncatedAndWrittenInAnsi) {
  ScopedThreadLocale locale(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
  const std::string path = temp.path + "\\Журнал.log";
  WriteBytes(path, "an older, longer log that must not survive");

  const LogHandle log = platform.CreateLogFile(path);
  ASSERT_NE(log, kInvalidLogHandle);
  EXPECT_EQ(ReadBytes(path), "");
  EXPECT_TRUE(platform.WriteLogFile(log, "Looking for Java in: C:\\ქართული\\café\n"));
  EXPECT_TRUE(platform.WriteLogFile(log, ""));
  EXPECT_TRUE(platform.WriteLogFile(log, "Using java in x"));
  platform.FlushLogFile(log);
  // Every write is already in the file, before the close.
  EXPECT_EQ(ReadBytes(path), "Looking for Java in: C:\\???????\\caf\xE9\nUsing java in x");
  platform.CloseLogFile(log);
}

// Others may read and delete the log while the launcher holds it, and child
// processes do not inherit it.
TEST_F(Win32PlatformTest, LogFileIsSharedAndNotInherited) {
  const std::string path = temp.path + "\\install.log";
  const LogHandle log = platform.CreateLogFile(path);
  ASSERT_NE(log, kInvalidLogHandle);

  DWORD flags = 0;
  ASSERT_TRUE(GetHandleInformation(reinterpret_cast<HANDLE>(log), &flags));
  EXPECT_EQ(flags & HANDLE_FLAG_INHERIT, 0u);

  const HANDLE reader = CreateFileW(Widen(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(reader, INVALID_HANDLE_VALUE);
  if (reader != INVALID_HANDLE_VALUE) CloseHandle(reader);
  EXPECT_TRUE(DeleteFileW(Widen(path).c_str()));
  platform.CloseLogFile(log);
  EXPECT_FALSE(platform.PathExists(path));
}

TEST_F(Win32PlatformTest, LogFileThatCannotBeCreatedIsInvalid) {
  for (const std::string& path : {temp.path + "\\missing\\install.log", temp.path, std::string()}) {
    EXPECT_EQ(platform.CreateLogFile(path), kInvalidLogHandle) << path;
  }
  EXPECT_FALSE(platform.WriteLogFile(kInvalidLogHandle, "text"));
  platform.FlushLogFile(kInvalidLogHandle);
  platform.CloseLogFile(kInvalidLogHandle);
}

std::string SystemProgram(const char* name) {
  wchar_t folder[MAX_PATH] = {};
  GetSystemDirectoryW(folder, MAX_PATH);
  return Narrow(folder) + "\\" + name;
}

TEST_F(Win32PlatformTest, LaunchAndWaitReturnsTheWholeExitCode) {
  const LaunchOutcome outcome =
      platform.LaunchAndWait(SystemProgram("cmd.exe"), "/c exit 300", temp.path + "\\", false);
  EXPECT_TRUE(outcome.started);
  EXPECT_FALSE(outcome.waitFailed);
  EXPECT_EQ(outcome.exitCode, 300u);
}

TEST_F(Win32PlatformTest, LaunchAndWaitTellsAMissingProgramApart) {
  const LaunchOutcome outcome =
      platform.LaunchAndWait(temp.path + "\\java\\bin\\java.exe", "-version", temp.path, false);
  EXPECT_FALSE(outcome.started);
  EXPECT_NE(outcome.errorCode, 0u);
}

// The child side of the test below: this test binary, started again, writes
// what it received into its working folder.
TEST(Win32LaunchChild, DISABLED_WritesWhatItReceived) {
  Win32Platform platform;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;
  WriteBytes(platform.CurrentDirectory() + "\\launch_report.txt",
             platform.ModulePath() + "\n" + platform.CurrentDirectory() + "\n" +
                 std::to_string(show) + "\n" + Narrow(GetCommandLineW()));
}

// A program and a working folder with characters outside the ANSI code page,
// a parameter text that holds some too, and the show state, all reach the child.
TEST_F(Win32PlatformTest, LaunchAndWaitHandsOverProgramParametersFolderAndShowState) {
  const std::string programFolder = temp.path + "\\Программа 日本";
  const std::string workingFolder = temp.path + "\\Рабочая ქართული";
  std::filesystem::create_directory(NativePath(programFolder));
  std::filesystem::create_directory(NativePath(workingFolder));
  const std::string program = programFolder + "\\java.exe";
  std::filesystem::copy_file(NativePath(platform.ModulePath()), NativePath(program));
  const std::string parameters =
      "--gtest_filter=Win32LaunchChild.* --gtest_also_run_disabled_tests \"Ёж 日本\" ქ";

  for (const bool shown : {false, true}) {
    const LaunchOutcome outcome =
        platform.LaunchAndWait(program, parameters, workingFolder + "\\", shown);
    ASSERT_TRUE(outcome.started);
    EXPECT_EQ(outcome.exitCode, 0u);

    std::istringstream report(ReadBytes(workingFolder + "\\launch_report.txt"));
    std::string module, folder, show, commandLine;
    std::getline(report, module);
    std::getline(report, folder);
    std::getline(report, show);
    std::getline(report, commandLine);
    EXPECT_EQ(module, program);
    EXPECT_EQ(folder, workingFolder);
    EXPECT_EQ(show, shown ? "1" : "0");
    EXPECT_TRUE(commandLine.ends_with(" " + parameters)) << commandLine;
  }
}

}  // namespace
}  // namespace install
