#include "platform/command_line.h"

namespace install {

std::vector<std::string> SplitWindowsCommandLine(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t i = 0;
  const std::size_t n = text.size();
  const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (true) {
    while (i < n && isBlank(text[i])) ++i;
    if (i >= n) break;
    std::string argument;
    bool quoted = false;
    while (i < n && (quoted || !isBlank(text[i]))) {
      if (text[i] == '\\') {
        std::size_t backslashes = 0;
        while (i < n && text[i] == '\\') {
          ++backslashes;
          ++i;
        }
        if (i < n && text[i] == '"') {
          argument.append(backslashes / 2, '\\');
          if (backslashes % 2 == 1) {
            argument += '"';
            ++i;
          }
        } else {
          argument.append(backslashes, '\\');
        }
        continue;
      }
      if (text[i] == '"') {
        if (quoted && i + 1 < n && text[i + 1] == '"') {
          argument += '"';
          i += 2;
          continue;
        }
        quoted = !quoted;
        ++i;
        continue;
      }
      argument += text[i++];
    }
    arguments.push_back(std::move(argument));
  }
  return arguments;
}

}  // namespace install
