// The argument vector of a child started with one Windows-style parameter text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/command_line.h"

namespace install {

// The child sees the arguments a Windows program would see for the same text.
class ChildArguments {
 public:
  ChildArguments(const std::string& program, std::string_view parameters)
      : program_(program), arguments_(SplitWindowsCommandLine(parameters)) {
    pointers_.push_back(program_.data());
    for (std::string& argument : arguments_) pointers_.push_back(argument.data());
    pointers_.push_back(nullptr);
  }
  ChildArguments(const ChildArguments&) = delete;
  ChildArguments& operator=(const ChildArguments&) = delete;

  char* const* argv() const { return pointers_.data(); }

 private:
  std::string program_;
  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
};

}  // namespace install
