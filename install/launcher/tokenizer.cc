#include "launcher/launch_settings.h"

namespace install {

std::vector<std::string> Tokenize(std::string_view text) {
  std::vector<std::string> arguments;
  std::size_t position = 0;
  constexpr auto npos = std::string_view::npos;
  while (position < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', position);
    if (start == npos) break;
    if (text[start] == '"') {
      const std::size_t close = text.find('"', start + 1);
      if (close == npos) {
        // An unclosed quote keeps itself and the rest of the line.
        arguments.emplace_back(text.substr(start));
        break;
      }
      arguments.emplace_back(text.substr(start + 1, close - start - 1));
      position = close + 1;
      continue;
    }
    const std::size_t space = text.find(' ', start);
    const std::size_t quote = text.find('"', start);
    if (quote != npos && quote < space) {
      const std::size_t close = text.find('"', quote + 1);
      if (close == npos) {
        arguments.emplace_back(text.substr(start));
        break;
      }
      arguments.emplace_back(text.substr(start, close + 1 - start));
      position = close + 1;
      continue;
    }
    if (space == npos) {
      arguments.emplace_back(text.substr(start));
      break;
    }
    arguments.emplace_back(text.substr(start, space - start));
    position = space + 1;
  }
  return arguments;
}

}  // namespace install
