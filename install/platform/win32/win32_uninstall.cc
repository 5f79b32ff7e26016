// The uninstaller bootstrap's services on Windows: the captured Java call, the
// folder walk, free space and the runtime copy with xcopy.
#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "platform/win32/copy_command.h"
#include "platform/win32/scoped_handle.h"
#include "platform/win32/text.h"

// The seam's DeleteFile is declared above without windows.h; its macro would
// rename the definition below.
#undef DeleteFile

namespace install {
namespace {

using win32::FilePath;
using win32::Narrow;
using win32::ScopedHandle;
using win32::Widen;

// Runs the interpreter's copy and waits for it. Its variables are in the
// launcher's environment only while it starts, so the installer's JVM later
// inherits none of them.
void RunInterpreterCopy(const InterpreterCopy& copy) {
  for (const auto& [name, value] : copy.variables) {
    SetEnvironmentVariableW(Widen(name).c_str(), Widen(value).c_str());
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  // A redirected standard output receives the text, as with system(); without
  // one the interpreter opens its own window.
  const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  const bool redirected = output != nullptr && output != INVALID_HANDLE_VALUE;
  if (redirected) {
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  }
  std::wstring commandLine = Widen(copy.commandLine);
  PROCESS_INFORMATION process{};
  // No program name apart: the command line's first word names it, so a bare
  // name is looked up on the search path.
  const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, redirected,
                                      0, nullptr, nullptr, &startup, &process);
  for (const auto& [name, value] : copy.variables) {
    SetEnvironmentVariableW(Widen(name).c_str(), nullptr);
  }
  if (!started) return;
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
}

}  // namespace

std::string Win32Platform::SystemFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  UINT length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = GetSystemDirectoryW(buffer.data(), static_cast<UINT>(buffer.size()));
  }
  if (length == 0 || length >= buffer.size()) return {};
  buffer.resize(length);
  return Narrow(buffer);
}

std::optional<std::string> Win32Platform::TemporaryFolder() {
  std::wstring buffer(MAX_PATH + 1, L'\0');
  DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  if (length >= buffer.size()) {
    buffer.resize(length);
    length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
  }
  if (length == 0 || length >= buffer.size()) return std::nullopt;
  buffer.resize(length);
  return Narrow(buffer);
}

std::optional<std::string> Win32Platform::CreateTemporaryFile(const std::string& folder,
                                                              std::string_view prefix) {
  // With 0 the system picks the number and creates the empty file, so the
  // name is ours.
  wchar_t name[MAX_PATH];
  if (GetTempFileNameW(Widen(folder).c_str(), Widen(prefix).c_str(), 0, name) == 0) {
    return std::nullopt;
  }
  return Narrow(name);
}

CaptureOutcome Win32Platform::RunCaptured(const std::string& program,
                                          const std::string& commandLine,
                                          const std::string& outputFile) {
  // Inheritable, so the child can write its two streams into it. Shared for
  // deletion too: a process the child leaves behind may hold its inherited copy a
  // while longer, and the file must still go when the call is over.
  SECURITY_ATTRIBUTES security{sizeof(security), nullptr, TRUE};
  const ScopedHandle file(CreateFileW(
      FilePath(outputFile).c_str(), GENERIC_READ | GENERIC_WRITE,
      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &security, CREATE_ALWAYS,
      FILE_ATTRIBUTE_TEMPORARY, nullptr));
  if (!file.valid()) return {CaptureStatus::kOpenFailed, GetLastError()};

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  startup.hStdOutput = file.get();
  startup.hStdError = file.get();
  // The system may write into the command-line buffer, so it gets a copy.
  std::wstring line = Widen(commandLine);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(Widen(program).c_str(), line.data(), nullptr, nullptr, TRUE,
                      CREATE_NO_WINDOW, nullptr, nullptr, &startup, &process)) {
    return {CaptureStatus::kStartFailed, GetLastError()};
  }
  CloseHandle(process.hThread);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hProcess);
  if (!FlushFileBuffers(file.get())) return {CaptureStatus::kFlushFailed, GetLastError()};
  return {};
}

std::optional<std::string> Win32Platform::ReadWholeFile(const std::string& path) {
  const ScopedHandle file(CreateFileW(FilePath(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) {
    bytes.append(buffer, got);
  }
  // The JVM writes a redirected stream in the ANSI code page.
  return win32::FromAnsi(bytes);
}

void Win32Platform::DeleteFile(const std::string& path) {
  ::DeleteFileW(FilePath(path).c_str());
}

std::vector<FolderEntry> Win32Platform::ListFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  std::string folderPattern = folder;
  if (!folderPattern.empty() && !folderPattern.ends_with('\\') && !folderPattern.ends_with('/')) {
    folderPattern += '\\';
  }
  folderPattern += '*';
  const std::wstring pattern = FilePath(folderPattern);
  WIN32_FIND_DATAW data;
  const HANDLE listing =
      FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr, 0);
  if (listing == INVALID_HANDLE_VALUE) return entries;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    FolderEntry entry;
    entry.name = Narrow(name);
    entry.isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    // Links and junctions lead elsewhere; other reparse points (deduplicated
    // or cloud files) hold their own data and count like any file.
    entry.isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
                   IsReparseTagNameSurrogate(data.dwReserved0);
    entry.size = (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    entries.push_back(std::move(entry));
  } while (FindNextFileW(listing, &data));
  FindClose(listing);
  return entries;
}

std::optional<std::uint64_t> Win32Platform::FreeBytes(const std::string& folder) {
  ULARGE_INTEGER available, total, totalFree;
  if (!GetDiskFreeSpaceExW(Widen(folder).c_str(), &available, &total, &totalFree)) {
    return std::nullopt;
  }
  // The volume's whole free space, not the part a quota leaves to this user.
  return totalFree.QuadPart;
}

void Win32Platform::CopyRuntimeFolder(const std::string& source, const std::string& destination,
                                      const std::string& pleaseWaitText, bool showPleaseWait,
                                      const std::string& workingFolder) {
  const std::string systemFolder = SystemFolder();
  std::string tool = systemFolder + "\\xcopy.exe";
  if (!PathExists(tool)) tool = "XCOPY";

  if (showPleaseWait) {
    std::string interpreter = systemFolder + "\\cmd.exe";
    if (!PathExists(interpreter)) interpreter = "cmd.exe";
    RunInterpreterCopy(PleaseWaitCopy(interpreter, tool, pleaseWaitText, source, destination));
    return;
  }

  // The quiet way: xcopy alone, hidden, in the install folder. A copy that could
  // not start or be waited for says why and the run goes on.
  const LaunchOutcome outcome =
      LaunchAndWait(tool, CopyParameters(source, destination), workingFolder, false);
  if (!outcome.started || outcome.waitFailed) WriteConsoleLine(std::to_string(outcome.errorCode));
}

}  // namespace install
