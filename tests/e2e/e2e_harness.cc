#include "e2e/e2e_harness.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

extern char** environ;
#endif

namespace fs = std::filesystem;

namespace e2e {
namespace {

// The variables the fake java reads; cleared before each run so that nothing
// leaks in from the test's own environment.
constexpr const char* kFakeJavaVariables[] = {"FAKE_JAVA_RECORD", "FAKE_JAVA_EXIT",
                                              "FAKE_JAVA_BUNDLE_TEXT", "FAKE_JAVA_SLEEP"};

fs::path RecordFile(const fs::path& root) { return root / "java-record.txt"; }
fs::path OutputFile(const fs::path& root) { return root / "launcher-stdout.txt"; }
fs::path ErrorFile(const fs::path& root) { return root / "launcher-stderr.txt"; }

std::string Unescaped(std::string_view value) {
  std::string result;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '%' && i + 2 < value.size()) {
      const std::string_view code = value.substr(i + 1, 2);
      if (code == "25") result += '%';
      if (code == "0D") result += '\r';
      if (code == "0A") result += '\n';
      i += 2;
    } else {
      result += value[i];
    }
  }
  return result;
}

#ifdef _WIN32

std::wstring Wide(std::string_view utf8) { return PathOf(utf8).wstring(); }

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
  SetEnvironmentVariableW(Wide(name).c_str(), value ? Wide(*value).c_str() : nullptr);
}

// The joined command line: what a shell would pass for these arguments.
std::string JoinedCommandLine(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& argument : args) {
    if (!text.empty()) text += ' ';
    const bool quote = argument.empty() || (argument.find(' ') != std::string::npos &&
                                            argument.find('"') == std::string::npos);
    text += quote ? "\"" + argument + "\"" : argument;
  }
  return text;
}

HANDLE OpenInheritable(const fs::path& path, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                     disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

#else

void SetVariable(const std::string& name, const std::optional<std::string>& value) {
  if (value) {
    setenv(name.c_str(), value->c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

#endif

// Sets the variables for the one child started while it lives.
class ScopedVariables {
 public:
  explicit ScopedVariables(const std::vector<std::pair<std::string, std::string>>& variables) {
    for (const char* name : kFakeJavaVariables) Set(name, std::nullopt);
    for (const auto& [name, value] : variables) Set(name, value);
  }
  ~ScopedVariables() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) SetVariable(it->first, it->second);
  }

 private:
  void Set(const std::string& name, const std::optional<std::string>& value) {
#ifdef _WIN32
    const std::wstring wide = Wide(name);
    const DWORD size = GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    std::optional<std::string> old;
    if (size > 0) {
      std::wstring buffer(size, L'\0');
      buffer.resize(GetEnvironmentVariableW(wide.c_str(), buffer.data(), size));
      old = TextOf(fs::path(buffer));
    }
#else
    const char* current = std::getenv(name.c_str());
    const std::optional<std::string> old =
        current ? std::optional<std::string>(current) : std::nullopt;
#endif
    saved_.emplace_back(name, old);
    SetVariable(name, value);
  }

  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

fs::path FreshRoot() {
  fs::path base = fs::temp_directory_path();
#ifndef _WIN32
  // The fake java reports its folder as the system resolves it.
  base = fs::canonical(base);
#endif
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::ostringstream name;
    name << "install-e2e-" << std::hex << random() << random();
    const fs::path root = base / name.str();
    if (fs::create_directory(root)) return root;
  }
  throw std::runtime_error("no fresh temporary folder");
}

}  // namespace

std::string Native(std::string_view windowsText) {
  std::string text(windowsText);
  if (!kWindows) {
    for (char& c : text) {
      if (c == '\\') c = '/';
      if (c == ';') c = ':';
    }
  }
  return text;
}

fs::path PathOf(std::string_view utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string TextOf(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::optional<std::string> ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

Launched::Launched(Launched&& other) noexcept
    : root_(std::move(other.root_)), pid_(other.pid_), handle_(other.handle_) {
  other.pid_ = 0;
  other.handle_ = nullptr;
}

Launched::~Launched() {
  // Only a test that stopped early gets here with a launcher still running.
#ifdef _WIN32
  if (handle_ != nullptr) TerminateProcess(handle_, 1);
#else
  if (pid_ != 0) kill(static_cast<pid_t>(pid_), SIGKILL);
#endif
  if (pid_ != 0) Wait();
}

RunResult Launched::Wait() {
  RunResult result;
#ifdef _WIN32
  if (handle_ == nullptr) return result;
  WaitForSingleObject(handle_, INFINITE);
  DWORD exitCode = 0;
  GetExitCodeProcess(handle_, &exitCode);
  CloseHandle(handle_);
  handle_ = nullptr;
  result.exitCode = static_cast<long>(exitCode);
#else
  if (pid_ == 0) return result;
  int status = 0;
  while (waitpid(static_cast<pid_t>(pid_), &status, 0) < 0 && errno == EINTR) {
  }
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
#endif
  pid_ = 0;
  result.output = ReadFile(OutputFile(root_)).value_or("");
  result.errors = ReadFile(ErrorFile(root_)).value_or("");
  return result;
}

InstallFolder::InstallFolder(std::string_view name)
    : root_(FreshRoot()), folder_(root_ / PathOf(name)), elsewhere_(root_ / "elsewhere") {
  fs::create_directories(folder_);
  fs::create_directories(elsewhere_);
  const fs::path launcher = PathOf(E2E_LAUNCHER);
  fs::copy_file(launcher, folder_ / launcher.filename());
}

InstallFolder::~InstallFolder() {
  if (testing::Test::HasFailure()) {
    std::cerr << "Kept the install folder of the failed test: " << TextOf(root_) << "\n";
    return;
  }
  // Under Windows a folder cannot go while it is some process's working folder,
  // and the console host of the ended java may hold it for a moment longer.
  for (int attempt = 0; attempt < 50; ++attempt) {
    std::error_code error;
    fs::remove_all(root_, error);
    if (!error) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  std::cerr << "Could not remove " << TextOf(root_) << "\n";
}

std::string InstallFolder::FolderText() const {
  return TextOf(folder_) + Native("\\");
}

std::string InstallFolder::PathText(std::string_view relative) const {
  return FolderText() + Native(relative);
}

void InstallFolder::AddFile(std::string_view relative, std::string_view content) const {
  const fs::path path = folder_ / PathOf(Native(relative));
  fs::create_directories(path.parent_path());
  std::ofstream file(path, std::ios::binary);
  file.write(content.data(), static_cast<std::streamsize>(content.size()));
}

std::string InstallFolder::AddJava(std::string_view binFolder) const {
  const std::string name = std::string(binFolder) + (kWindows ? "\\java.exe" : "\\java");
  const fs::path path = folder_ / PathOf(Native(name));
  fs::create_directories(path.parent_path());
  fs::copy_file(PathOf(E2E_FAKE_JAVA), path, fs::copy_options::overwrite_existing);
  return PathText(name);
}

Launched InstallFolder::Start(const RunOptions& options) const {
  std::vector<std::pair<std::string, std::string>> variables = {
      {"FAKE_JAVA_RECORD", TextOf(RecordFile(root_))}};
  variables.insert(variables.end(), options.environment.begin(), options.environment.end());
  const ScopedVariables scoped(variables);
  const fs::path launcher = folder_ / PathOf(E2E_LAUNCHER).filename();
  const fs::path directory =
      options.currentDirectory.empty() ? elsewhere_ : options.currentDirectory;

#ifdef _WIN32
  std::wstring commandLine = L"\"" + launcher.wstring() + L"\"";
  const std::string arguments = options.commandLine.value_or(JoinedCommandLine(options.args));
  if (!arguments.empty()) commandLine += L" " + Wide(arguments);

  HANDLE input = OpenInheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  HANDLE output = OpenInheritable(OutputFile(root_), GENERIC_WRITE, CREATE_ALWAYS);
  HANDLE errors = OpenInheritable(ErrorFile(root_), GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = output;
  startup.hStdError = errors;
  PROCESS_INFORMATION process{};
  const BOOL started = CreateProcessW(launcher.c_str(), commandLine.data(), nullptr, nullptr,
                                      TRUE, 0, nullptr, directory.c_str(), &startup, &process);
  const DWORD error = GetLastError();
  CloseHandle(input);
  CloseHandle(output);
  CloseHandle(errors);
  if (!started) {
    ADD_FAILURE() << "CreateProcessW failed with " << error;
    return Launched(root_, 0, nullptr);
  }
  CloseHandle(process.hThread);
  return Launched(root_, static_cast<long>(process.dwProcessId), process.hProcess);
#else
  const std::string program = launcher.string();
  std::vector<std::string> arguments = options.args;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, OutputFile(root_).c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, ErrorFile(root_).c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  pid_t pid = 0;
  const int error = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    ADD_FAILURE() << "posix_spawn failed with " << error;
    return Launched(root_, 0, nullptr);
  }
  return Launched(root_, static_cast<long>(pid), nullptr);
#endif
}

std::vector<JavaCall> InstallFolder::JavaCalls() const {
  std::vector<JavaCall> calls;
  const std::optional<std::string> record = ReadFile(RecordFile(root_));
  if (!record) return calls;
  std::istringstream lines(*record);
  JavaCall call;
  for (std::string line; std::getline(lines, line);) {
    const std::size_t equals = line.find('=');
    const std::string key = line.substr(0, equals);
    const std::string value = equals == std::string::npos ? "" : Unescaped(line.substr(equals + 1));
    if (key == "arg") call.args.push_back(value);
    if (key == "cwd") call.workingFolder = value;
    if (key == "exe") call.executable = value;
    if (key == "cmdline") call.commandLine = value;
    if (key == "show") call.showState = value;
    if (key == "pid") call.pid = std::stol(value);
    if (key == "end") calls.push_back(std::exchange(call, JavaCall{}));
  }
  return calls;
}

bool InstallFolder::WaitForJavaCalls(std::size_t count) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (JavaCalls().size() < count) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::string JavaIn(std::string_view binFolder) {
  return Native(std::string(binFolder) + (kWindows ? "\\java.exe" : "\\java"));
}

std::string CandidateLine(const std::string& path) {
  return "Looking for Java in: " + path + "\n";
}

std::string InstallerListCandidateLines(const InstallFolder& install) {
  return CandidateLine(install.PathText(JavaIn("java\\jre\\bin"))) +
         CandidateLine(install.PathText(JavaIn("java\\bin"))) +
         CandidateLine(install.PathText(
             JavaIn("..\\JDK\\jre.pak\\repository\\package.java.jre\\java\\jre\\bin")));
}

}  // namespace e2e
