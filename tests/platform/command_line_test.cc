#include <gtest/gtest.h>

#include "launcher/java_arguments.h"
#include "platform/command_line.h"

namespace install {
namespace {

using Args = std::vector<std::string>;

TEST(SplitWindowsCommandLine, FollowsTheCRuntimeRules) {
  const struct {
    const char* text;
    Args expected;
  } cases[] = {
      {"", {}},
      {"  a \t b  ", {"a", "b"}},
      {R"("a b" c)", {"a b", "c"}},
      {R"(-Djava.io.tmpdir="C:\My Temp"  -cp x)", {R"(-Djava.io.tmpdir=C:\My Temp)", "-cp", "x"}},
      {R"(a\\b)", {R"(a\\b)"}},
      {R"(a\"b)", {R"(a"b)"}},
      {R"(a\\"b c")", {R"(a\b c)"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      {R"("a""b")", {R"(a"b)"}},
      {R"("")", {""}},
      {R"("unclosed rest)", {"unclosed rest"}},
      {"\"C:\\Пути\\日本 語\"", {"C:\\Пути\\日本 語"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitWindowsCommandLine(c.text), c.expected) << c.text;
}

// Forwarded arguments quoted by the launcher come back whole at the other end.
TEST(SplitWindowsCommandLine, UndoesArgumentQuoting) {
  for (const char* argument : {"plain", "with blank", "C:\\dir with blank\\x",
                               "C:\\dir with blank\\", "a b\\\\", "\\\\srv\\s h\\"}) {
    EXPECT_EQ(SplitWindowsCommandLine(QuoteArgument(argument) + " next"),
              (Args{argument, "next"}));
  }
}

}  // namespace
}  // namespace install
