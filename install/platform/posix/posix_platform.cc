#include "platform/posix/posix_platform.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/command_line.h"

extern char** environ;

namespace install {
namespace {

// The JVM being waited for, so that a signal to the launcher reaches it too.
volatile sig_atomic_t gChild = 0;

// A signal another process sent to the launcher alone is passed on. One the
// terminal raised (Ctrl-C, a hang-up) came from the kernel to the whole process
// group, so the JVM has it already and must not get it twice.
void PassSignalOn(int signal, siginfo_t* info, void*) {
  if (gChild > 0 && info != nullptr && info->si_code <= 0) {
    kill(static_cast<pid_t>(gChild), signal);
  }
}

}  // namespace

std::string PosixPlatform::ModulePath() {
  std::vector<char> buffer(256);
  while (true) {
    const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length < 0) return {};
    if (static_cast<std::size_t>(length) < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

std::string PosixPlatform::CurrentDirectory() {
  std::vector<char> buffer(256);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return {};
    buffer.resize(buffer.size() * 2);
  }
  return buffer.data();
}

bool PosixPlatform::PathExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

LogHandle PosixPlatform::CreateLogFile(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  return fd < 0 ? kInvalidLogHandle : fd;
}

bool PosixPlatform::WriteLogFile(LogHandle handle, std::string_view text) {
  if (handle < 0) return false;
  while (!text.empty()) {
    const ssize_t written = write(static_cast<int>(handle), text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void PosixPlatform::FlushLogFile(LogHandle handle) {
  if (handle >= 0) fdatasync(static_cast<int>(handle));
}

void PosixPlatform::CloseLogFile(LogHandle handle) {
  if (handle >= 0) close(static_cast<int>(handle));
}

void PosixPlatform::ShowModalMessage(const std::string& title, const std::string& message) {
  std::fprintf(stderr, "%s\n%s\n", title.c_str(), message.c_str());
  std::fflush(stderr);
  // Without a terminal there is nobody to acknowledge it: go on.
  if (!isatty(STDIN_FILENO)) return;
  std::fputs("Press Enter to continue.", stderr);
  std::fflush(stderr);
  char c = 0;
  while (read(STDIN_FILENO, &c, 1) == 1 && c != '\n') {
  }
}

void PosixPlatform::WriteConsoleLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

void PosixPlatform::ExitProcess(int code) {
  std::fflush(stdout);
  std::exit(code);
}

LaunchOutcome PosixPlatform::LaunchAndWait(const std::string& program,
                                           const std::string& parameters,
                                           const std::string& workingFolder, bool) {
  LaunchOutcome outcome;
  // The JVM must see the arguments java.exe would see on Windows.
  std::vector<std::string> arguments = SplitWindowsCommandLine(parameters);
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(program.c_str()));
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  pid_t child = 0;
  const int error = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    outcome.errorCode = static_cast<std::uint32_t>(error);
    return outcome;
  }
  outcome.started = true;

  gChild = child;
  struct sigaction passOn {};
  passOn.sa_sigaction = PassSignalOn;
  passOn.sa_flags = SA_SIGINFO;
  sigemptyset(&passOn.sa_mask);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &passOn, nullptr);

  int status = 0;
  pid_t ended;
  while ((ended = waitpid(child, &status, 0)) < 0 && errno == EINTR) {
  }
  gChild = 0;
  if (ended < 0) {
    outcome.waitFailed = true;
    outcome.errorCode = static_cast<std::uint32_t>(errno);
  } else if (WIFEXITED(status)) {
    outcome.exitCode = static_cast<std::uint32_t>(WEXITSTATUS(status));
  } else if (WIFSIGNALED(status)) {
    outcome.exitCode = 128 + static_cast<std::uint32_t>(WTERMSIG(status));
  }
  return outcome;
}

}  // namespace install
