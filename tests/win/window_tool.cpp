// Starts the calculator for a picture: waits until its window is up, writes
// the window's screen rectangle to a file, waits until another file appears
// (the picture is taken), then closes the calculator with Esc.
//
//   quorvex_window_tool [--in-place] [--satellites] RECT_FILE DONE_FILE [ARGUMENT...]
//
// Without --in-place the program runs from a fresh folder, so no stored
// settings or history change what it shows. With --satellites the windows
// beside the main one are opened too ("fct", "prg", "reg"), and the
// rectangle holds them all. Message boxes at start (refused
// arguments) are answered and reported. The exit code is the calculator's.
#include "automation.h"
#include "resource.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

using namespace automation;

namespace {

// Picture-taking waits for a person's tools, not for the program.
constexpr milliseconds kDoneWait{120000};

// The arguments back into one command-line text, quoted as Wine quoted them.
std::string commandLineOf(int argc, char** argv, int first) {
  std::string text;
  for (int i = first; i < argc; ++i) {
    std::string argument = argv[i];
    if (!text.empty()) text += ' ';
    text += argument.find(' ') == std::string::npos ? argument : '"' + argument + '"';
  }
  return text;
}

int run(int argc, char** argv) {
  int next = 1;
  auto placement = ProgramRun::Placement::FreshFolder;
  if (next < argc && std::strcmp(argv[next], "--in-place") == 0) {
    placement = ProgramRun::Placement::WhereItIs;
    ++next;
  }
  bool satellites = false;
  if (next < argc && std::strcmp(argv[next], "--satellites") == 0) {
    satellites = true;
    ++next;
  }
  if (argc - next < 2) {
    std::fprintf(stderr, "usage: quorvex_window_tool [--in-place] RECT_FILE DONE_FILE [ARGUMENT...]\n");
    return 2;
  }
  std::string rectFile = windowsPath(argv[next]);
  std::string doneFile = windowsPath(argv[next + 1]);

  ProgramRun calc(calculatorProgram(), placement);
  calc.launch(commandLineOf(argc, argv, next + 2));
  for (const auto& text : calc.answerBoxesUntilMainWindow()) {
    std::fprintf(stderr, "quorvex_window_tool: message box answered: %s\n", text.c_str());
  }
  if (satellites) {
    // Room on the screen for the windows above and left of the main one.
    SetWindowPos(calc.main(), nullptr, 200, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (int opener : {IDC_OPEN_FUNCTIONS, IDC_OPEN_PROGRAMMER, IDC_OPEN_REGRESSION}) calc.click(opener);
  }
  // Past the first timer tick, so the window is painted and settled.
  std::this_thread::sleep_for(kTick + milliseconds(400));
  RECT r = calc.windowRect();
  if (satellites) {
    for (HWND dialog : dialogsOf(calc.processId())) {
      RECT w{};
      if (IsWindowVisible(dialog) && GetWindowRect(dialog, &w)) UnionRect(&r, &r, &w);
    }
  }
  {
    std::ofstream out(rectFile, std::ios::trunc);
    out << r.left << ' ' << r.top << ' ' << (r.right - r.left) << ' ' << (r.bottom - r.top) << '\n';
  }
  if (!waitUntil([&] { return fileExists(doneFile) || !calc.running(); }, kDoneWait)) {
    std::fprintf(stderr, "quorvex_window_tool: nobody said done; closing\n");
  }
  if (!calc.running()) return static_cast<int>(calc.waitForExit());
  return static_cast<int>(calc.close());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const AutomationError& e) {
    std::fprintf(stderr, "quorvex_window_tool: %s\n", e.what());
    return 3;
  }
}
