// The one fatal path a user sees: the modal message, the error line in the
// log, exit code 1.
#pragma once

#include <string>

#include "diagnostics/log_file.h"
#include "platform/platform.h"

namespace install {

// The silent flag does not suppress the message: a scripted install that
// fails must still be seen.
[[noreturn]] void ReportFatalError(Platform& platform, const std::string& title,
                                   const std::string& message, const LogFile& log);

}  // namespace install
