// qvx's entry point: the arguments as UTF-8, then the portable run.
#include <iostream>
#include <string>
#include <vector>

#include "cli/qvx.h"

#if defined(_WIN32)
#include <windows.h>

namespace {

std::string toUtf8(const wchar_t* text) {
  int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? static_cast<std::size_t>(size) : 1, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.resize(out.size() - 1);
  return out;
}

std::vector<std::string> utf8Arguments() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(toUtf8(wide[i]));
  LocalFree(wide);
  // A console shows and reads our UTF-8 as it is.
  SetConsoleOutputCP(CP_UTF8);
  SetConsoleCP(CP_UTF8);
  return args;
}

}  // namespace

// A console, not a pipe or a file: qvx prompts.
bool stdinIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_INPUT_HANDLE), &mode) != 0;
}

int main() {
  std::ios::sync_with_stdio(false);
  return runQvx(utf8Arguments(), std::cin, std::cout, std::cerr, stdinIsTerminal());
}

#else

#include <unistd.h>

int main(int argc, char** argv) {
  // Our own stream buffers: a batch is read and written in blocks.
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  return runQvx(args, std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) != 0);
}

#endif
