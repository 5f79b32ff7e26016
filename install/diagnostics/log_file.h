// The optional log of where the launcher looked for Java and what it chose.
#pragma once

#include <string>
#include <string_view>

#include "launcher/launch_settings.h"
#include "platform/platform.h"

namespace install {

// The log as the run holds it: no log at all when "-is:log" was not given,
// otherwise a handle that may be invalid (every write then fails quietly).
struct LogFile {
  bool enabled = false;
  LogHandle handle = kInvalidLogHandle;
};

LogFile OpenLogFile(Platform& platform, const LaunchSettings& settings);

// One direct write of the text, without a line end. Failures are only reported.
bool WriteLogText(Platform& platform, LogHandle handle, std::string_view text);

// "Looking for Java in: " + path + LF. Always true: the candidate is tested next
// whatever became of the write.
bool LogJavaCandidate(Platform& platform, const LogFile& log, std::string_view path);

// "Using java in " + path, no line end; then flush and close.
void LogChosenJava(Platform& platform, const LogFile& log, std::string_view path);

}  // namespace install
