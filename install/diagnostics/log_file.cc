#include "diagnostics/log_file.h"

namespace install {

LogFile OpenLogFile(Platform& platform, const LaunchSettings& settings) {
  LogFile log;
  log.enabled = settings.logEnabled;
  if (log.enabled) log.handle = platform.CreateLogFile(settings.logFileName.value_or(""));
  return log;
}

bool WriteLogText(Platform& platform, LogHandle handle, std::string_view text) {
  return platform.WriteLogFile(handle, text);
}

// Each piece is its own write, so whatever was logged before an abnormal end
// is already in the file.
bool LogJavaCandidate(Platform& platform, const LogFile& log, std::string_view path) {
  WriteLogText(platform, log.handle, "Looking for Java in: ");
  WriteLogText(platform, log.handle, path);
  WriteLogText(platform, log.handle, "\n");
  return true;
}

void LogChosenJava(Platform& platform, const LogFile& log, std::string_view path) {
  WriteLogText(platform, log.handle, "Using java in ");
  WriteLogText(platform, log.handle, path);
  platform.FlushLogFile(log.handle);
  platform.CloseLogFile(log.handle);
}

}  // namespace install
