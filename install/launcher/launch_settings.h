// What the command line says: one record, filled by the tokenizer and option
// extraction, read by every later step of the run.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace install {

struct LaunchSettings {
  std::string commandLine;
  std::optional<std::string> logFileName;
  std::string currentDirectory;
  std::optional<std::string> jvmParameters;
  std::optional<std::string> maximumHeap;
  std::optional<std::string> initialHeap;
  std::optional<std::string> responseFile;
  std::optional<std::string> temporaryFolder;
  std::optional<std::string> javaHome;
  // A consumed entry is the empty text; it stays, so indexes never shift.
  std::vector<std::string> arguments;
  bool javaConsole = false;
  bool silent = false;
  bool logEnabled = false;
};

// Splits a command-line text into arguments. Only the blank separates; a
// double quote at the start of an argument groups up to the next quote (both
// removed), one further in keeps both quotes; backslashes mean nothing.
std::vector<std::string> Tokenize(std::string_view commandLine);

}  // namespace install
