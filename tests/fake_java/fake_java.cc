// A stand-in for java that the end-to-end tests start through the launcher.
//
// It appends one record per call to the file named by FAKE_JAVA_RECORD:
//   arg=<argument>     one line for each of argv[1..], in order
//   cwd=<working folder>
//   exe=<the binary that runs, as the system resolves it>
//   cmdline=<the whole command line>          (Windows only)
//   show=<wShowWindow, or "none" when unset>  (Windows only)
//   pid=<process id>
//   end
// Values are UTF-8; '%', CR and LF in them are written as %25, %0D and %0A so
// that each value keeps to its line.
//
// It exits with FAKE_JAVA_EXIT (default 0), after sleeping FAKE_JAVA_SLEEP
// seconds when that is set. Asked for a resource-bundle key, it prints
// FAKE_JAVA_BUNDLE_TEXT, or a text naming the key, on standard output.
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>

#include <climits>
#endif

namespace {

constexpr std::string_view kBundleClass =
    "com.orrin.vantora.install.quon.framework.resourcebundle.ExternalQuonResourceBundleUtils";

#ifdef _WIN32

std::string ToCodePage(UINT codePage, const std::wstring& text) {
  const int size = WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string result(size > 0 ? size : 0, '\0');
  WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                      size, nullptr, nullptr);
  return result;
}

std::wstring FromUtf8(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0);
  std::wstring result(size > 0 ? size : 0, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), result.data(),
                      size);
  return result;
}

std::optional<std::string> Environment(const char* name) {
  const wchar_t* value = _wgetenv(FromUtf8(name).c_str());
  if (value == nullptr) return std::nullopt;
  return ToCodePage(CP_UTF8, value);
}

std::string WorkingFolder() {
  std::wstring buffer(GetCurrentDirectoryW(0, nullptr), L'\0');
  buffer.resize(GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data()));
  return ToCodePage(CP_UTF8, buffer);
}

FILE* OpenForAppend(const std::string& path) { return _wfopen(FromUtf8(path).c_str(), L"ab"); }

// Java prints in the ANSI code page on Windows; so does its stand-in.
std::string ForStandardOutput(const std::string& text) {
  return ToCodePage(CP_ACP, FromUtf8(text));
}

void SleepSeconds(unsigned long seconds) { Sleep(seconds * 1000); }

std::string Executable() {
  std::wstring buffer(MAX_PATH, L'\0');
  while (true) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      return ToCodePage(CP_UTF8, buffer);
    }
    buffer.resize(buffer.size() * 2);
  }
}

unsigned long ProcessId() { return GetCurrentProcessId(); }

#else

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr) return std::nullopt;
  return std::string(value);
}

std::string WorkingFolder() {
  std::vector<char> buffer(PATH_MAX);
  return getcwd(buffer.data(), buffer.size()) ? buffer.data() : "";
}

FILE* OpenForAppend(const std::string& path) { return std::fopen(path.c_str(), "ab"); }

std::string ForStandardOutput(const std::string& text) { return text; }

void SleepSeconds(unsigned long seconds) { sleep(static_cast<unsigned>(seconds)); }

// argv[0] names what the caller asked for; the link names the file that runs.
std::string Executable() {
  std::vector<char> buffer(PATH_MAX);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
  return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : "";
}

unsigned long ProcessId() { return static_cast<unsigned long>(getpid()); }

#endif

std::string Escaped(std::string_view value) {
  std::string result;
  for (const char c : value) {
    if (c == '%') {
      result += "%25";
    } else if (c == '\r') {
      result += "%0D";
    } else if (c == '\n') {
      result += "%0A";
    } else {
      result += c;
    }
  }
  return result;
}

struct Call {
  std::vector<std::string> arguments;
  std::string workingFolder;
  std::optional<std::string> commandLine;
  std::optional<std::string> showState;
};

void Record(const Call& call) {
  const std::optional<std::string> recordFile = Environment("FAKE_JAVA_RECORD");
  if (!recordFile) return;
  std::string text;
  for (const std::string& argument : call.arguments) text += "arg=" + Escaped(argument) + "\n";
  text += "cwd=" + Escaped(call.workingFolder) + "\n";
  text += "exe=" + Escaped(Executable()) + "\n";
  if (call.commandLine) text += "cmdline=" + Escaped(*call.commandLine) + "\n";
  if (call.showState) text += "show=" + *call.showState + "\n";
  text += "pid=" + std::to_string(ProcessId()) + "\nend\n";
  // One write per call, so records of calls that follow each other never mix.
  if (FILE* file = OpenForAppend(*recordFile)) {
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
  }
}

void PrintBundleText(const Call& call) {
  for (std::size_t i = 0; i < call.arguments.size(); ++i) {
    if (call.arguments[i] != kBundleClass) continue;
    std::string text;
    if (const auto wanted = Environment("FAKE_JAVA_BUNDLE_TEXT")) {
      text = *wanted;
    } else {
      text = "Text of";
      for (std::size_t k = i + 1; k < call.arguments.size(); ++k) text += " " + call.arguments[k];
    }
    std::printf("%s\n", ForStandardOutput(text).c_str());
    std::fflush(stdout);
    return;
  }
}

int Finish(const Call& call) {
  Record(call);
  PrintBundleText(call);
  if (const auto seconds = Environment("FAKE_JAVA_SLEEP")) {
    SleepSeconds(std::strtoul(seconds->c_str(), nullptr, 10));
  }
  const auto exitCode = Environment("FAKE_JAVA_EXIT");
  return exitCode ? static_cast<int>(std::strtoul(exitCode->c_str(), nullptr, 10)) : 0;
}

}  // namespace

#ifdef _WIN32

int wmain(int argc, wchar_t** argv) {
  Call call;
  for (int i = 1; i < argc; ++i) call.arguments.push_back(ToCodePage(CP_UTF8, argv[i]));
  call.workingFolder = WorkingFolder();
  call.commandLine = ToCodePage(CP_UTF8, GetCommandLineW());
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  GetStartupInfoW(&startup);
  call.showState = (startup.dwFlags & STARTF_USESHOWWINDOW)
                       ? std::to_string(startup.wShowWindow)
                       : std::string("none");
  return Finish(call);
}

#else

int main(int argc, char** argv) {
  Call call;
  for (int i = 1; i < argc; ++i) call.arguments.push_back(argv[i]);
  call.workingFolder = WorkingFolder();
  return Finish(call);
}

#endif
