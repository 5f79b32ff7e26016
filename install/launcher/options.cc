#include "launcher/options.h"

#include <algorithm>
#include <optional>

namespace install {
namespace {

bool TakeFlag(std::vector<std::string>& arguments, std::string_view name) {
  const auto found = std::find(arguments.begin(), arguments.end(), name);
  if (found == arguments.end()) return false;
  found->clear();
  return true;
}

// The value is the next entry, whatever it is, even another option name.
std::optional<std::string> TakeValue(std::vector<std::string>& arguments,
                                     std::string_view name) {
  const auto found = std::find(arguments.begin(), arguments.end(), name);
  if (found == arguments.end()) return std::nullopt;
  found->clear();
  const auto next = found + 1;
  if (next == arguments.end()) return std::string();
  std::string value = std::move(*next);
  next->clear();
  return value;
}

// The first entry that begins with the name, one more character and a double
// quote; the value runs from after that quote up to the entry's last character.
std::optional<std::string> TakeJvmParameters(std::vector<std::string>& arguments,
                                             bool& malformed) {
  for (std::string& entry : arguments) {
    if (!entry.starts_with(kJvmParamsName)) continue;
    const std::size_t quote = entry.find('"', kJvmParamsName.size() + 1);
    if (quote == std::string::npos) {
      malformed = true;
      return std::nullopt;
    }
    std::string value;
    if (quote + 1 < entry.size()) value = entry.substr(quote + 1, entry.size() - quote - 2);
    std::erase(value, '\'');
    entry.clear();
    return value;
  }
  return std::nullopt;
}

}  // namespace

std::string CompletePath(std::string_view value, std::string_view currentDirectory,
                         const Conventions& conventions) {
  if (IsCompletePath(conventions, value)) return std::string(value);
  std::string path(currentDirectory);
  path += conventions.separator;
  path += value;
  return path;
}

OptionsResult ExtractOptions(LaunchSettings& settings, const Conventions& conventions) {
  const auto complete = [&](std::optional<std::string> value) -> std::optional<std::string> {
    if (!value) return value;
    return CompletePath(*value, settings.currentDirectory, conventions);
  };

  // "-options" is read from a first vector that is then thrown away, so the
  // option and its value are forwarded to the installer untouched.
  {
    std::vector<std::string> first = Tokenize(settings.commandLine);
    settings.responseFile = complete(TakeValue(first, "-options"));
  }
  settings.arguments = Tokenize(settings.commandLine);
  auto& arguments = settings.arguments;

  settings.silent = TakeFlag(arguments, "-silent");
  settings.javaConsole = TakeFlag(arguments, "-is:javaconsole");
  settings.javaHome = complete(TakeValue(arguments, "-is:javahome"));
  settings.temporaryFolder = complete(TakeValue(arguments, "-is:tempdir"));
  settings.initialHeap = TakeValue(arguments, "-Xms");
  bool malformed = false;
  settings.jvmParameters = TakeJvmParameters(arguments, malformed);
  if (malformed) return OptionsResult::kInvalidJvmParameters;
  settings.logFileName = complete(TakeValue(arguments, "-is:log"));
  settings.maximumHeap = TakeValue(arguments, "-Xmx");

  if (!settings.initialHeap) settings.initialHeap = "256m";
  if (!settings.maximumHeap) settings.maximumHeap = "512m";
  settings.logEnabled = settings.logFileName.has_value();
  return OptionsResult::kOk;
}

}  // namespace install
