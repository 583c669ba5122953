// The calculator program: settings, command line, fault guard, and the main
// window, a modal dialog whose loop a message-filter hook extends to the
// windows beside it.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>

#include "engine/fault_guard.h"
#include "engine/integer_mode.h"
#include "engine/texts.h"
#include "resource.h"
#include "ui/app.h"
#include "ui/command_line.h"
#include "version.h"

CalculatorApp app;

void showWaitCursor(bool on) { SetCursor(LoadCursorA(nullptr, on ? IDC_WAIT : IDC_ARROW)); }

std::string programFilePath() {
  char path[400] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

namespace {

// A floating-point fault outside every guarded step: the program cannot go
// on. The user may keep the formula that caused it.
[[noreturn]] void fatalFormulaExit() {
  int answer = MessageBoxA(app.main, textFor(Msg::FatalQuestion, settings().language).c_str(), "",
                           MB_ICONWARNING | MB_YESNO);
  std::string report = appendVariableLines(app.calculator.formula());
  report += "\r\nQuorvex " QVX_VERSION " Windows";
  if (app.calculator.solving()) report += "\r\nRegression " + app.calculator.wantedValue();
  report += "\r\nPlease send this to the Quorvex team.";
  if (answer == IDYES) setClipboardText(report);
  ExitProcess(1);
}

void applyCommandLine(const char* commandLine) {
  StartOptions options;
  for (const std::string& argument : splitCommandLine(commandLine ? commandLine : "")) {
    if (auto refusal = applyArgument(argument, options, settings()))
      MessageBoxA(nullptr, refusal->c_str(), "", MB_OK);
  }
  if (options.startFormula) {
    app.startFormula = *options.startFormula;
    app.hasStartFormula = true;
  }
  if (options.historyFileName) app.historyFileName = *options.historyFileName;
}

bool offerToDialog(HWND window, MSG& message) {
  return window != nullptr && IsDialogMessageA(window, &message);
}

// The main window's modal loop offers the keyboard only to the main window;
// this hook offers the satellites theirs, so that Esc closes them and Tab
// moves through their buttons.
LRESULT CALLBACK offerToSatellites(int code, WPARAM wParam, LPARAM lParam) {
  static bool offering = false;  // IsDialogMessageA calls the hook again
  if (code == MSGF_DIALOGBOX && !offering) {
    MSG& message = *reinterpret_cast<MSG*>(lParam);
    offering = true;
    bool taken = offerToDialog(app.functions, message) || offerToDialog(app.programmer, message) ||
                 offerToDialog(app.regression, message) || offerToDialog(app.graph, message);
    offering = false;
    if (taken) return TRUE;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  app.instance = instance;
  InitCommonControls();
  installFaultGuard(fatalFormulaExit);
  if (dividerIsFaulty()) app.calculator.correctFaultyDivider([] { MessageBeep(MB_ICONASTERISK); });
  app.calculator.setWaitCursor(showWaitCursor);
  loadSettings(settingsFilePath(programFilePath()), app.settingsRecord, settings());
  applyCommandLine(commandLine);

  SetWindowsHookExA(WH_MSGFILTER, offerToSatellites, nullptr, GetCurrentThreadId());
  INT_PTR shown =
      DialogBoxParamA(instance, templateName("X_RECHNER_WINDOW", settings().bigLayout).c_str(), nullptr, mainWindowProc, 0);
  if (shown == -1) {
    // Without its window there is nothing to run and no quit to wait for.
    MessageBoxA(nullptr, "Quorvex cannot create its window.", "", MB_OK | MB_ICONERROR);
    return 1;
  }

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (offerToDialog(app.main, message) || offerToDialog(app.functions, message) ||
        offerToDialog(app.programmer, message) || offerToDialog(app.regression, message))
      continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
