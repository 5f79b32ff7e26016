#include "launcher/java_arguments.h"

namespace install {

std::string QuoteArgument(std::string_view text) {
  if (text.find(' ') == std::string_view::npos ||
      text.find('"') != std::string_view::npos) {
    return std::string(text);
  }
  std::string quoted;
  quoted.reserve(text.size() + 2);
  quoted += '"';
  quoted += text;
  // Java's runtime reads a backslash right before the closing quote as escaping
  // it ("C:\My Temp\" would swallow the rest of the line), so a trailing run
  // of backslashes is doubled; nothing else changes.
  const std::size_t kept = text.find_last_not_of('\\');
  quoted.append(text.size() - (kept == std::string_view::npos ? 0 : kept + 1), '\\');
  quoted += '"';
  return quoted;
}

std::string AssembleJavaArguments(const LaunchSettings& settings,
                                  std::string_view launchModeText) {
  std::string text = "-Xms";
  text += settings.initialHeap.value_or("");
  text += " -Xmx";
  text += settings.maximumHeap.value_or("");
  if (settings.jvmParameters) {
    text += ' ';
    text += *settings.jvmParameters;
  }
  if (settings.temporaryFolder) {
    text += " -Djava.io.tmpdir=";
    text += QuoteArgument(*settings.temporaryFolder);
  }
  text += ' ';
  text += launchModeText;
  text += ' ';
  for (const std::string& argument : settings.arguments) {
    if (argument.empty()) continue;  // consumed, or written as ""
    text += QuoteArgument(argument);
    text += ' ';
  }
  if (settings.silent) text += " -silent ";
  text.pop_back();  // always the blank appended last
  return text;
}

}  // namespace install
