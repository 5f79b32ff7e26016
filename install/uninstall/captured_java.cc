#include "uninstall/captured_java.h"

#include <optional>

namespace install {
namespace {

// Exactly these six: a locale's wider idea of white space must not split words.
bool IsWhiteSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::string FoldWords(std::string_view output) {
  std::string text;
  std::size_t i = 0;
  while (i < output.size()) {
    while (i < output.size() && IsWhiteSpace(output[i])) ++i;
    const std::size_t start = i;
    while (i < output.size() && !IsWhiteSpace(output[i])) ++i;
    if (i > start) {
      text.append(output.substr(start, i - start));
      text += ' ';
    }
  }
  return text;
}

// The leading blank matters on Windows: the child's runtime takes the first
// word as its own name, and the blank makes that name empty.
std::string BundleCommandLine(std::string_view installFolder, std::string_view key) {
  std::string line = " -classpath \"";
  line.append(installFolder);
  line += "setup.jar\" ";
  line.append(kBundleClass);
  line += ' ';
  line.append(key);
  return line;
}

std::string RunCapturedJavaCall(Platform& platform, const std::string& javaExecutable,
                                const std::string& commandLine) {
  const std::string failure(kFailureMarker);
  const std::optional<std::string> folder = platform.TemporaryFolder();
  if (!folder) {
    platform.WriteConsoleLine("GetTempPath failed");
    return failure;
  }
  const std::optional<std::string> outputFile = platform.CreateTemporaryFile(*folder, "QEL");
  if (!outputFile) {
    platform.WriteConsoleLine("GetTempFileName failed");
    return failure;
  }
  const CaptureOutcome outcome = platform.RunCaptured(javaExecutable, commandLine, *outputFile);
  if (outcome.status != CaptureStatus::kDone) {
    switch (outcome.status) {
      case CaptureStatus::kOpenFailed:
        platform.WriteConsoleLine("CreateFile failed");
        platform.WriteConsoleLine(std::to_string(outcome.errorCode));
        break;
      case CaptureStatus::kStartFailed:
        platform.WriteConsoleLine("createprocess failed");
        break;
      case CaptureStatus::kFlushFailed:
        platform.WriteConsoleLine("flush failed");
        break;
      case CaptureStatus::kDone:
        break;
    }
    // A failed call leaves nothing behind in the user's temporary folder.
    platform.DeleteFile(*outputFile);
    return failure;
  }
  // A file that cannot be read back is an empty answer, not a failed call.
  const std::optional<std::string> output = platform.ReadWholeFile(*outputFile);
  std::string text = output ? FoldWords(*output) : std::string();
  platform.DeleteFile(*outputFile);
  return text;
}

std::string FetchBundleText(Platform& platform, const std::string& javaExecutable,
                            std::string_view installFolder, std::string_view key,
                            const std::string& fallback) {
  std::string text =
      RunCapturedJavaCall(platform, javaExecutable, BundleCommandLine(installFolder, key));
  return text == kFailureMarker ? fallback : text;
}

}  // namespace install
