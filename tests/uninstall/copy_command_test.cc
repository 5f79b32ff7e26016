#include "platform/win32/copy_command.h"

#include <gtest/gtest.h>

namespace install {
namespace {

TEST(CopyParameters, SwitchesThenQuotedFolders) {
  EXPECT_EQ(CopyParameters("C:\\Program Files\\u\\..\\java", "C:\\Program Files\\u\\java"),
            " /E /Q /H /I /Y /D \"C:\\Program Files\\u\\..\\java\" \"C:\\Program Files\\u\\java\"");
}

TEST(PleaseWaitCopy, TextAndPathsOnlyInVariables) {
  const std::string hostile = "x & echo PWNED > pwned.txt %PATH% ^ \" !x! | (";
  const InterpreterCopy copy = PleaseWaitCopy("C:\\Windows\\system32\\cmd.exe", "XCOPY", hostile,
                                              "C:\\a%b\\..\\jre", "C:\\a%b\\jre");
  EXPECT_EQ(copy.commandLine,
            "\"C:\\Windows\\system32\\cmd.exe\" /d /v:on /s /c \"echo !VANTORA_COPY_TEXT! & "
            "\"!VANTORA_COPY_TOOL!\" /E /Q /H /I /Y /D \"!VANTORA_COPY_FROM!\" "
            "\"!VANTORA_COPY_TO!\"\"");
  using Variables = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(copy.variables, (Variables{{"VANTORA_COPY_TEXT", hostile},
                                       {"VANTORA_COPY_TOOL", "XCOPY"},
                                       {"VANTORA_COPY_FROM", "C:\\a%b\\..\\jre"},
                                       {"VANTORA_COPY_TO", "C:\\a%b\\jre"}}));
}

TEST(PleaseWaitCopy, EmptyTextEchoesAnEmptyLineNotTheEchoState) {
  const InterpreterCopy copy = PleaseWaitCopy("cmd.exe", "XCOPY", "", "s", "d");
  EXPECT_NE(copy.commandLine.find("/c \"echo. & "), std::string::npos) << copy.commandLine;
}

}  // namespace
}  // namespace install
