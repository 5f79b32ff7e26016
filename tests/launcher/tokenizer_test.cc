#include <gtest/gtest.h>

#include "launcher/launch_settings.h"

namespace install {
namespace {

using Args = std::vector<std::string>;

struct TokenizeCase {
  const char* line;
  Args expected;
  friend std::ostream& operator<<(std::ostream& out, const TokenizeCase& c) {
    return out << "[" << c.line << "]";
  }
};

class TokenizeTest : public ::testing::TestWithParam<TokenizeCase> {};

TEST_P(TokenizeTest, SplitsAsTheLauncherReadsIt) {
  EXPECT_EQ(Tokenize(GetParam().line), GetParam().expected) << "line: [" << GetParam().line << "]";
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TokenizeTest,
    ::testing::Values(
        TokenizeCase{"", {}},
        TokenizeCase{"    ", {}},
        TokenizeCase{"-silent", {"-silent"}},
        TokenizeCase{"  a   b  ", {"a", "b"}},
        TokenizeCase{R"(-is:javahome "C:\Program Files\Java" -silent)",
                     {"-is:javahome", R"(C:\Program Files\Java)", "-silent"}},
        TokenizeCase{R"(-Dx="a b" z)", {R"(-Dx="a b")", "z"}},
        TokenizeCase{R"("abc"def)", {"abc", "def"}},
        TokenizeCase{R"("")", {""}},
        TokenizeCase{R"(a "" b)", {"a", "", "b"}},
        TokenizeCase{R"("abc)", {R"("abc)"}},
        TokenizeCase{R"(x "abc def)", {"x", R"("abc def)"}},
        TokenizeCase{R"(-Dx="a b)", {R"(-Dx="a b)"}},
        TokenizeCase{R"(C:\"Program Files"\x)", {R"(C:\"Program Files")", R"(\x)"}},
        TokenizeCase{R"("quoted" )", {"quoted"}},
        TokenizeCase{"a\tb c", {"a\tb", "c"}},
        TokenizeCase{R"(a\" b)", {R"(a\" b)"}},
        TokenizeCase{"-is:log \"C:\\Пути\\日本.log\"", {"-is:log", "C:\\Пути\\日本.log"}}));

TEST(TokenizeGrowth, ManyArgumentsArriveInOrder) {
  std::string line;
  Args expected;
  for (int i = 0; i < 25; ++i) {
    line += "arg" + std::to_string(i) + " ";
    expected.push_back("arg" + std::to_string(i));
  }
  EXPECT_EQ(Tokenize(line), expected);
}

TEST(TokenizeGrowth, VeryLongArgumentIsNotCut) {
  const std::string path(70000, 'p');
  const Args result = Tokenize("\"" + path + " x\" y");
  ASSERT_EQ(result.size(), 2u);
  EXPECT_EQ(result[0], path + " x");
}

}  // namespace
}  // namespace install
