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
#include <iterator>
#include <vector>

#include "platform/posix/child_arguments.h"

extern char** environ;

namespace install {
namespace {

// The JVM being waited for, so that a signal to the launcher reaches it too.
volatile sig_atomic_t gChild = 0;
constexpr int kPassedOn[] = {SIGTERM, SIGINT, SIGHUP};

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
  const ChildArguments arguments(program, parameters);

  // The signals passed on stay blocked from before the start until the child is
  // known, so none can end the launcher in between and orphan the JVM; the child
  // starts with the launcher's old mask and default handling.
  sigset_t passedOn, previousMask;
  sigemptyset(&passedOn);
  for (const int signal : kPassedOn) sigaddset(&passedOn, signal);
  sigprocmask(SIG_BLOCK, &passedOn, &previousMask);
  struct sigaction passOn {};
  passOn.sa_sigaction = PassSignalOn;
  passOn.sa_flags = SA_SIGINFO;
  sigemptyset(&passOn.sa_mask);
  struct sigaction previousActions[std::size(kPassedOn)];
  for (std::size_t i = 0; i < std::size(kPassedOn); ++i) {
    sigaction(kPassedOn[i], &passOn, &previousActions[i]);
  }

  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawnattr_setsigmask(&attributes, &previousMask);
  posix_spawnattr_setsigdefault(&attributes, &passedOn);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
  pid_t child = 0;
  const int error =
      posix_spawn(&child, program.c_str(), &actions, &attributes, arguments.argv(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (error == 0) gChild = child;
  sigprocmask(SIG_SETMASK, &previousMask, nullptr);
  if (error != 0) {
    for (std::size_t i = 0; i < std::size(kPassedOn); ++i) {
      sigaction(kPassedOn[i], &previousActions[i], nullptr);
    }
    outcome.errorCode = static_cast<std::uint32_t>(error);
    return outcome;
  }
  outcome.started = true;

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
