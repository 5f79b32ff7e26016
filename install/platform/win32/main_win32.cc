// Entry point of the Windows build: a GUI-subsystem program, so no console
// window opens. The C runtime hands over the UTF-16 command line after the
// program's own name; it becomes UTF-8 whole, so characters outside the ANSI
// code page reach the JVM intact.
#include "launcher/main_sequence.h"
#include "platform/win32/text.h"
#include "platform/win32/win32_platform.h"

// After the platform header: <windows.h> makes DeleteFile a macro, which must
// not rename the seam's operation of that name.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  install::Win32Platform platform;
  return install::RunLauncher(platform, install::win32::Narrow(commandLine ? commandLine : L""));
}
