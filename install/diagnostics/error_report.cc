#include "diagnostics/error_report.h"

#include <cstdlib>

namespace install {

void ReportFatalError(Platform& platform, const std::string& title,
                      const std::string& message, const LogFile& log) {
  platform.ShowModalMessage(title, message);
  if (log.enabled) {
    // The title is never logged; the close needs no flush of its own.
    WriteLogText(platform, log.handle, message);
    WriteLogText(platform, log.handle, "\n");
    platform.CloseLogFile(log.handle);
  }
  platform.ExitProcess(1);
  std::abort();  // not reached: ExitProcess does not return
}

}  // namespace install
