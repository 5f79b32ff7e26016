// Option extraction: turns the argument vector into the launch settings.
#pragma once

#include <string>
#include <string_view>

#include "launcher/launch_settings.h"
#include "platform/conventions.h"

namespace install {

inline constexpr std::string_view kJvmParamsName = "VANTORA_JVM_PARAMS";

enum class OptionsResult { kOk, kInvalidJvmParameters };

// Fills the launch settings from settings.commandLine. Recognised options are
// consumed; "-options" and its value stay, so they reach the installer as typed.
OptionsResult ExtractOptions(LaunchSettings& settings, const Conventions& conventions);

// Makes a relative value absolute against the current directory, by plain
// concatenation; a value that is already complete is returned unchanged.
std::string CompletePath(std::string_view value, std::string_view currentDirectory,
                         const Conventions& conventions);

}  // namespace install
