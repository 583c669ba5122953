// The regression window: calculates backwards. Given a wanted value, a solve
// button finds the value of its variable at which the main formula gives it,
// and writes that into the variable's field of the main window.
#include <utility>

#include "resource.h"
#include "ui/app.h"
#include "ui/satellite.h"
#include "ui/variable_fields.h"

namespace {

constexpr std::size_t kWantedValueChars = 2999;
constexpr std::size_t kFirstTryChars = 2999;

constexpr std::pair<int, char> kSolveButtons[] = {
    {IDC_SOLVE_V, 'V'}, {IDC_SOLVE_W, 'W'}, {IDC_SOLVE_X, 'X'}, {IDC_SOLVE_Y, 'Y'}};

void showMessage() { setControlText(app.regression, IDC_SOLVER_MESSAGE, app.calculator.messageText()); }

// The current result, in a form that can be typed in again; the text of the
// last time when there is no result.
void takeResult() {
  if (!app.calculator.failed()) app.lastInputText = app.calculator.shownAsInput();
  setControlText(app.regression, IDC_WANTED_VALUE, app.lastInputText);
}

void solveFor(char letter) {
  int field = fieldOfVariable(letter);
  std::string wanted = controlText(app.regression, IDC_WANTED_VALUE, kWantedValueChars);
  std::string firstTry = controlText(app.main, field, kFirstTryChars);
  setControlText(app.regression, IDC_SOLVER_MESSAGE, "");
  showWaitCursor(true);
  std::string value;
  bool solved = app.calculator.solve(letter, app.calculator.formula(), wanted, firstTry, value);
  showWaitCursor(false);
  showMessage();
  // The main window recalculates on the change of its field.
  if (solved) setControlText(app.main, field, value);
}

void onControl(int id, int code) {
  // Only a click asks for help here: a click on a button of this window
  // while another is active first gives the field back its focus, and that
  // must not use up the help mode meant for the button.
  if (code == BN_CLICKED && wantsHelp(id, code)) {
    showHelpFor(id);
    return;
  }
  if (id == IDC_WANTED_VALUE && code == EN_SETFOCUS) app.focusField = IDC_WANTED_VALUE;
  if (id == IDC_WANTED_VALUE && code == EN_CHANGE) refreshGraph();  // its line moves
  if (code != BN_CLICKED) return;
  if (id == IDC_RESULT_TO_WANTED) {
    takeResult();
    app.calculator.checkSolve(0, app.calculator.formula(),
                              controlText(app.regression, IDC_WANTED_VALUE, kWantedValueChars));
    showMessage();
  }
  for (auto [button, letter] : kSolveButtons)
    if (button == id) solveFor(letter);
}

void onClose() {
  // The keypad must not go on typing into a field that is gone.
  if (app.focusField == IDC_WANTED_VALUE) app.focusField = IDC_ENTRY;
}

BOOL onInit(HWND window) {
  takeResult();
  refreshGraph();
  SetFocus(GetDlgItem(window, IDC_WANTED_VALUE));
  app.focusField = IDC_WANTED_VALUE;
  return FALSE;  // the focus is set
}

const Satellite kRegressionWindow = {&CalculatorApp::regression, "X_REGRESS_WINDOW", IDC_OPEN_REGRESSION,
                                     onInit, onControl, onClose, refreshGraph, nullptr, nullptr};

}  // namespace

void openRegressionWindow() {
  openSatellite(kRegressionWindow);
  SetFocus(GetDlgItem(app.regression, IDC_WANTED_VALUE));
  app.focusField = IDC_WANTED_VALUE;
}
