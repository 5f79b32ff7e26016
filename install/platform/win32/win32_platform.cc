#include "platform/win32/win32_platform.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>

#include "platform/win32/scoped_handle.h"
#include "platform/win32/text.h"

namespace install {
namespace {

using win32::FilePath;
using win32::Narrow;
using win32::ScopedHandle;
using win32::ToAnsi;
using win32::Widen;

// A missing floppy or an empty card reader must not stop a silent run with an
// "insert a disk" dialog; the error mode is put back afterwards.
class NoCriticalErrorDialogs {
 public:
  NoCriticalErrorDialogs() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS)) {}
  ~NoCriticalErrorDialogs() { SetErrorMode(previous_); }
  NoCriticalErrorDialogs(const NoCriticalErrorDialogs&) = delete;
  NoCriticalErrorDialogs& operator=(const NoCriticalErrorDialogs&) = delete;

 private:
  UINT previous_;
};

HANDLE AsHandle(LogHandle handle) { return reinterpret_cast<HANDLE>(handle); }

}  // namespace

std::string Win32Platform::ModulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    // A full buffer means the path was cut short.
    if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
    buffer.resize(buffer.size() * 2);
  }
}

std::string Win32Platform::CurrentDirectory() {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0) return {};
    if (length < buffer.size()) return Narrow(std::wstring_view(buffer.data(), length));
    buffer.resize(length);  // the size needed, terminator included
  }
}

bool Win32Platform::PathExists(const std::string& path) {
  if (path.empty()) return false;
  NoCriticalErrorDialogs quiet;
  return GetFileAttributesW(FilePath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

LogHandle Win32Platform::CreateLogFile(const std::string& path) {
  NoCriticalErrorDialogs quiet;
  // No security attributes: the handle is not inherited by child processes.
  const HANDLE file = CreateFileW(FilePath(path).c_str(), GENERIC_WRITE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return kInvalidLogHandle;
  return reinterpret_cast<LogHandle>(file);
}

bool Win32Platform::WriteLogFile(LogHandle handle, std::string_view text) {
  if (handle == kInvalidLogHandle) return false;
  const std::string ansi = ToAnsi(text);
  DWORD written = 0;
  return WriteFile(AsHandle(handle), ansi.data(), static_cast<DWORD>(ansi.size()), &written,
                   nullptr) &&
         written == ansi.size();
}

void Win32Platform::FlushLogFile(LogHandle handle) {
  if (handle != kInvalidLogHandle) FlushFileBuffers(AsHandle(handle));
}

void Win32Platform::CloseLogFile(LogHandle handle) {
  if (handle != kInvalidLogHandle) CloseHandle(AsHandle(handle));
}

void Win32Platform::ShowModalMessage(const std::string& title, const std::string& message) {
  MessageBoxW(nullptr, Widen(message).c_str(), Widen(title).c_str(), MB_OK);
}

// Standard output is the C runtime's text-mode stream, so the line end reaches
// a redirected file as CR LF; the text is in the ANSI code page, as in the log.
void Win32Platform::WriteConsoleLine(std::string_view line) {
  const std::string ansi = ToAnsi(line);
  std::fwrite(ansi.data(), 1, ansi.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void Win32Platform::ExitProcess(int code) {
  std::fflush(stdout);
  std::exit(code);
}

LaunchOutcome Win32Platform::LaunchAndWait(const std::string& program,
                                           const std::string& parameters,
                                           const std::string& workingFolder, bool shown) {
  const std::wstring file = Widen(program);
  const std::wstring parameterText = Widen(parameters);
  const std::wstring folder = Widen(workingFolder);

  SHELLEXECUTEINFOW request{};
  request.cbSize = sizeof(request);
  request.fMask = SEE_MASK_NOCLOSEPROCESS;
  // The program stands alone, so blanks in its path need no quoting.
  request.lpFile = file.c_str();
  request.lpParameters = parameterText.c_str();
  request.lpDirectory = folder.c_str();
  request.nShow = shown ? SW_SHOWNORMAL : SW_HIDE;

  LaunchOutcome outcome;
  if (!ShellExecuteExW(&request) || request.hProcess == nullptr) {
    outcome.errorCode = GetLastError();
    return outcome;
  }
  outcome.started = true;
  const ScopedHandle process(request.hProcess);

  if (WaitForSingleObject(process.get(), INFINITE) == WAIT_FAILED) {
    outcome.waitFailed = true;
    outcome.errorCode = GetLastError();
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.get(), &exitCode);
  outcome.exitCode = exitCode;
  return outcome;
}

}  // namespace install
