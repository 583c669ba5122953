// The line input without a library: Windows consoles edit and recall lines
// themselves.
#include <iostream>

#include "cli/line_editor.h"

#if defined(_WIN32)
#include <windows.h>

namespace {

// Ctrl-C at the prompt drops the line being typed and prompts again, as a
// shell does; Ctrl-Break and closing the console still end qvx.
volatile LONG interrupted = 0;

BOOL WINAPI onConsoleControl(DWORD event) {
  if (event != CTRL_C_EVENT) return FALSE;
  InterlockedExchange(&interrupted, 1);
  return TRUE;
}

// A Ctrl-C ends the console's read as if the input had ended, and its
// handler runs on a thread of its own: wait a moment for it to say so.
bool readWasInterrupted() {
  for (int tries = 0; tries < 10; ++tries) {
    if (InterlockedExchange(&interrupted, 0) != 0) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

void openLineEditor(const std::vector<std::string>&) { SetConsoleCtrlHandler(onConsoleControl, TRUE); }

#else

namespace {
bool readWasInterrupted() { return false; }
}  // namespace

void openLineEditor(const std::vector<std::string>&) {}

#endif

bool readEditedLine(const char* prompt, std::string& line) {
  for (;;) {
    std::cout << prompt << std::flush;
    if (std::getline(std::cin, line)) break;
    if (!readWasInterrupted()) return false;
    std::cin.clear();
    std::cout << '\n';
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void closeLineEditor() {}
