#include "support/fake_platform.h"

#include "launcher/main_sequence.h"

namespace install::testing {

FakePlatform::FakePlatform(const Conventions& conventions) : conventions_(conventions) {
  if (conventions.windowsPaths) {
    modulePath = "C:\\Prog\\install.exe";
    currentDirectory = "C:\\Work";
    temporaryFolder = "C:\\Temp\\";
  } else {
    modulePath = "/opt/prog/install";
    currentDirectory = "/home/ann";
    temporaryFolder = "/tmp/";
  }
}

int FakePlatform::Run(const std::string& commandLine) {
  try {
    return RunLauncher(*this, commandLine);
  } catch (const FakeExit& exit) {
    return exit.code;
  }
}

std::string FakePlatform::ModulePath() { return modulePath; }
std::string FakePlatform::CurrentDirectory() { return currentDirectory; }

bool FakePlatform::PathExists(const std::string& path) {
  existsQueries.push_back(path);
  return existing.contains(path) || files.contains(path);
}

LogHandle FakePlatform::CreateLogFile(const std::string& path) {
  trace.push_back("create-log " + path);
  if (path.empty() || unwritable.contains(path) || path.back() == conventions_.separator) {
    return kInvalidLogHandle;
  }
  files[path].clear();
  openLogs_[nextHandle_] = path;
  return nextHandle_++;
}

bool FakePlatform::WriteLogFile(LogHandle handle, std::string_view text) {
  trace.push_back("write-log " + std::string(text));
  const auto open = openLogs_.find(handle);
  if (open == openLogs_.end()) return false;
  files[open->second] += text;
  return true;
}

void FakePlatform::FlushLogFile(LogHandle) { trace.push_back("flush-log"); }

void FakePlatform::CloseLogFile(LogHandle handle) {
  trace.push_back("close-log");
  openLogs_.erase(handle);
}

void FakePlatform::ShowModalMessage(const std::string& title, const std::string& message) {
  trace.push_back("message " + title);
  messages.push_back({title, message});
}

void FakePlatform::WriteConsoleLine(std::string_view line) {
  trace.push_back("console " + std::string(line));
  consoleLines.emplace_back(line);
}

void FakePlatform::ExitProcess(int code) {
  trace.push_back("exit " + std::to_string(code));
  throw FakeExit{code};
}

LaunchOutcome FakePlatform::LaunchAndWait(const std::string& program,
                                          const std::string& parameters,
                                          const std::string& workingFolder, bool shown) {
  trace.push_back("launch " + program);
  launches.push_back({program, parameters, workingFolder, shown});
  return launchOutcome;
}

std::string FakePlatform::SystemFolder() {
  return conventions_.windowsPaths ? "C:\\Windows\\system32" : "/usr/bin";
}

std::optional<std::string> FakePlatform::TemporaryFolder() { return temporaryFolder; }

std::optional<std::string> FakePlatform::CreateTemporaryFile(const std::string& folder,
                                                             std::string_view prefix) {
  if (temporaryFileFails) return std::nullopt;
  std::string path = folder + std::string(prefix) + std::to_string(++temporaryCount_) + ".tmp";
  files[path].clear();
  return path;
}

CaptureOutcome FakePlatform::RunCaptured(const std::string& program,
                                         const std::string& commandLine,
                                         const std::string& outputFile) {
  trace.push_back("capture " + commandLine);
  captures.push_back({program, commandLine, outputFile});
  if (onCapture) return onCapture(program, commandLine, outputFile);
  files[outputFile] = capturedOutput;
  return {};
}

std::optional<std::string> FakePlatform::ReadWholeFile(const std::string& path) {
  const auto found = files.find(path);
  if (found == files.end()) return std::nullopt;
  return found->second;
}

void FakePlatform::DeleteFile(const std::string& path) {
  deleted.insert(path);
  files.erase(path);
}

std::vector<FolderEntry> FakePlatform::ListFolder(const std::string& folder) {
  const auto found = folders.find(folder);
  return found == folders.end() ? std::vector<FolderEntry>{} : found->second;
}

std::optional<std::uint64_t> FakePlatform::FreeBytes(const std::string&) { return freeBytes; }

void FakePlatform::CopyRuntimeFolder(const std::string& source, const std::string& destination,
                                     const std::string& pleaseWaitText, bool showPleaseWait,
                                     const std::string& workingFolder) {
  trace.push_back("copy " + source + " -> " + destination);
  copies.push_back({source, destination, pleaseWaitText, showPleaseWait, workingFolder});
}

}  // namespace install::testing
