// The uninstaller bootstrap's services on POSIX: the captured Java call, the
// folder walk, free space, and a native copy in place of xcopy.
#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/posix/child_arguments.h"
#include "platform/posix/posix_platform.h"

extern char** environ;

namespace install {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  return folder.ends_with('/') ? folder + name : folder + '/' + name;
}

bool IsOlder(const struct stat& a, const struct stat& b) {
  if (a.st_mtim.tv_sec != b.st_mtim.tv_sec) return a.st_mtim.tv_sec < b.st_mtim.tv_sec;
  return a.st_mtim.tv_nsec < b.st_mtim.tv_nsec;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<std::size_t>(written);
  }
  return true;
}

// Content, permission bits (so the copied java still runs) and modification
// time (so a second copy finds it up to date).
void CopyFile(const std::string& source, const std::string& destination,
              const struct stat& status) {
  const int in = open(source.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return;
  const int out = open(destination.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC,
                       status.st_mode & 07777);
  if (out < 0) {
    close(in);
    return;
  }
  std::vector<char> buffer(1 << 16);
  bool complete = true;
  while (true) {
    const ssize_t got = read(in, buffer.data(), buffer.size());
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      complete = got == 0;
      break;
    }
    if (!WriteAll(out, buffer.data(), static_cast<std::size_t>(got))) {
      complete = false;
      break;
    }
  }
  fchmod(out, status.st_mode & 07777);
  // A broken copy keeps its new time, which is not older than the source, so
  // only a complete one is dated like its source.
  if (complete) {
    const struct timespec times[2] = {status.st_atim, status.st_mtim};
    futimens(out, times);
  }
  close(out);
  close(in);
}

void CopyLink(const std::string& source, const std::string& destination) {
  std::vector<char> target(256);
  while (true) {
    const ssize_t length = readlink(source.c_str(), target.data(), target.size());
    if (length < 0) return;
    if (static_cast<std::size_t>(length) < target.size()) {
      target[static_cast<std::size_t>(length)] = '\0';
      break;
    }
    target.resize(target.size() * 2);
  }
  unlink(destination.c_str());
  symlink(target.data(), destination.c_str());
}

// xcopy /E /H /I /Y /D: the whole tree with empty folders and dot files, the
// destination created, files replaced only when missing or older there. Links
// are copied as links, never followed, so a link cycle cannot make it loop.
class TreeCopy {
 public:
  void Copy(const std::string& source, const std::string& destination) {
    struct stat status;
    if (stat(source.c_str(), &status) != 0 || !S_ISDIR(status.st_mode)) return;
    if (!MakeFolder(destination, status)) return;
    struct stat created;
    if (stat(destination.c_str(), &created) != 0) return;
    // A destination inside the source must not be copied into itself.
    destinationDevice_ = created.st_dev;
    destinationInode_ = created.st_ino;
    CopyContent(source, destination);
  }

 private:
  static bool MakeFolder(const std::string& path, const struct stat& source) {
    // The owner can always fill it, whatever the source folder's bits.
    if (mkdir(path.c_str(), (source.st_mode & 07777) | S_IRWXU) == 0) return true;
    struct stat existing;
    return errno == EEXIST && stat(path.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode);
  }

  void CopyContent(const std::string& source, const std::string& destination) {
    DIR* folder = opendir(source.c_str());
    if (folder == nullptr) return;
    std::vector<std::string> names;
    while (const dirent* entry = readdir(folder)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(folder);

    for (const std::string& name : names) {
      const std::string from = Join(source, name);
      const std::string to = Join(destination, name);
      struct stat status;
      if (lstat(from.c_str(), &status) != 0) continue;
      if (S_ISDIR(status.st_mode)) {
        if (status.st_dev == destinationDevice_ && status.st_ino == destinationInode_) continue;
        if (MakeFolder(to, status)) CopyContent(from, to);
        continue;
      }
      if (!S_ISREG(status.st_mode) && !S_ISLNK(status.st_mode)) continue;
      struct stat existing;
      const bool present = lstat(to.c_str(), &existing) == 0;
      if (present && !IsOlder(existing, status)) continue;
      if (S_ISLNK(status.st_mode)) {
        CopyLink(from, to);
      } else {
        // A link in the way is replaced, not written through.
        if (present && S_ISLNK(existing.st_mode)) unlink(to.c_str());
        CopyFile(from, to, status);
      }
    }
  }

  dev_t destinationDevice_ = 0;
  ino_t destinationInode_ = 0;
};

}  // namespace

std::string PosixPlatform::SystemFolder() { return "/usr/bin"; }

std::optional<std::string> PosixPlatform::TemporaryFolder() {
  const char* variable = std::getenv("TMPDIR");
  std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
  if (!folder.ends_with('/')) folder += '/';
  return folder;
}

std::optional<std::string> PosixPlatform::CreateTemporaryFile(const std::string& folder,
                                                              std::string_view prefix) {
  std::string path = folder + std::string(prefix) + "XXXXXX";
  const int fd = mkostemp(path.data(), O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  // Only the name is kept: no descriptor is left for a later child to inherit.
  close(fd);
  return path;
}

CaptureOutcome PosixPlatform::RunCaptured(const std::string& program,
                                          const std::string& commandLine,
                                          const std::string& outputFile) {
  const int fd =
      open(outputFile.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, S_IRUSR | S_IWUSR);
  if (fd < 0) return {CaptureStatus::kOpenFailed, static_cast<std::uint32_t>(errno)};

  const ChildArguments arguments(program, commandLine);

  // Both streams share one open file description, so their writes land in the
  // order they were made. Standard input is the launcher's own.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
  pid_t child = 0;
  const int error =
      posix_spawn(&child, program.c_str(), &actions, nullptr, arguments.argv(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (error != 0) {
    close(fd);
    return {CaptureStatus::kStartFailed, static_cast<std::uint32_t>(error)};
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  CaptureOutcome outcome;
  if (fsync(fd) != 0) outcome = {CaptureStatus::kFlushFailed, static_cast<std::uint32_t>(errno)};
  close(fd);
  return outcome;
}

std::optional<std::string> PosixPlatform::ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void PosixPlatform::DeleteFile(const std::string& path) { unlink(path.c_str()); }

std::vector<FolderEntry> PosixPlatform::ListFolder(const std::string& folder) {
  std::vector<FolderEntry> entries;
  DIR* listing = opendir(folder.c_str());
  if (listing == nullptr) return entries;
  while (const dirent* entry = readdir(listing)) {
    FolderEntry found;
    found.name = entry->d_name;
    if (found.name == "." || found.name == "..") continue;
    struct stat status;
    if (lstat(Join(folder, found.name).c_str(), &status) != 0) continue;
    found.isLink = S_ISLNK(status.st_mode);
    found.isFolder = S_ISDIR(status.st_mode);
    found.size = static_cast<std::uint64_t>(status.st_size);
    entries.push_back(std::move(found));
  }
  closedir(listing);
  return entries;
}

std::optional<std::uint64_t> PosixPlatform::FreeBytes(const std::string& folder) {
  struct statvfs volume;
  if (statvfs(folder.c_str(), &volume) != 0) return std::nullopt;
  // All free blocks, as the Windows figure counts them, not only the user's.
  return static_cast<std::uint64_t>(volume.f_bfree) * volume.f_frsize;
}

void PosixPlatform::CopyRuntimeFolder(const std::string& source, const std::string& destination,
                                      const std::string& pleaseWaitText, bool showPleaseWait,
                                      const std::string&) {
  if (showPleaseWait) WriteConsoleLine(pleaseWaitText);
  TreeCopy().Copy(source, destination);
}

}  // namespace install
