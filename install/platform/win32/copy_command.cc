#include "platform/win32/copy_command.h"

namespace install {

std::string CopyParameters(std::string_view source, std::string_view destination) {
  std::string parameters = " ";
  parameters.append(kCopySwitches);
  parameters += " \"";
  parameters.append(source);
  parameters += "\" \"";
  parameters.append(destination);
  parameters += '"';
  return parameters;
}

InterpreterCopy PleaseWaitCopy(std::string_view interpreter, std::string_view tool,
                               std::string_view pleaseWaitText, std::string_view source,
                               std::string_view destination) {
  // /d: no AutoRun commands of the user's; /s /c: the outer quotes are removed
  // and the rest is the command, inner quotes kept.
  std::string commandLine = "\"";
  commandLine.append(interpreter);
  commandLine += "\" /d /v:on /s /c \"";
  // "echo" with nothing after it would report the echo state instead of an
  // empty line.
  commandLine += pleaseWaitText.empty() ? "echo." : "echo !VANTORA_COPY_TEXT!";
  commandLine += " & \"!VANTORA_COPY_TOOL!\" ";
  commandLine.append(kCopySwitches);
  commandLine += " \"!VANTORA_COPY_FROM!\" \"!VANTORA_COPY_TO!\"\"";
  InterpreterCopy copy;
  copy.commandLine = std::move(commandLine);
  copy.variables = {
      {"VANTORA_COPY_TEXT", std::string(pleaseWaitText)},
      {"VANTORA_COPY_TOOL", std::string(tool)},
      {"VANTORA_COPY_FROM", std::string(source)},
      {"VANTORA_COPY_TO", std::string(destination)},
  };
  return copy;
}

}  // namespace install
