// How the runtime copy is put to the Windows copy tool and command interpreter.
// Pure text building, so every host can build and test it.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace install {

// Tree with empty folders, no file list, hidden and system files, destination
// taken as a folder, overwrite without asking, only files missing or older there.
inline constexpr std::string_view kCopySwitches = "/E /Q /H /I /Y /D";

// The copy tool's parameters when it is started directly, with no interpreter
// between: " /E /Q /H /I /Y /D \"<source>\" \"<destination>\"".
std::string CopyParameters(std::string_view source, std::string_view destination);

// The interpreter's run that shows the please-wait text and then copies in the
// same window.
struct InterpreterCopy {
  std::string commandLine;  // the interpreter's own, beginning with its name
  // Set in the interpreter's environment only for this run.
  std::vector<std::pair<std::string, std::string>> variables;
};

// The text and the paths travel in variables that the interpreter expands only
// after it has parsed the command (/v:on), so nothing in them is ever read as
// syntax: "a & del x" stays a text to echo, and "%PATH%" is not expanded.
InterpreterCopy PleaseWaitCopy(std::string_view interpreter, std::string_view tool,
                               std::string_view pleaseWaitText, std::string_view source,
                               std::string_view destination);

}  // namespace install
