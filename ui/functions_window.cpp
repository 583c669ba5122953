// The scientific-functions window: function buttons, Pi and Eul, and the
// angle unit. Its buttons type through the main window, which owns every
// edit of the formula.
#include "resource.h"
#include "ui/app.h"
#include "ui/satellite.h"

namespace {

BOOL onInit(HWND window) {
  CheckDlgButton(window, IDC_DEGREE, settings().angleInDegrees ? BST_CHECKED : BST_UNCHECKED);
  return TRUE;
}

void onControl(int id, int code) {
  SendMessageA(app.main, WM_USER_FUNCTION_BUTTON, id, 0);
  if (code != BN_CLICKED) return;
  // Help mode was ended by the main window's help for this id, so a click
  // in help mode both explains and acts.
  if (app.helpMode) {
    showHelpFor(id);
    return;
  }
  if (id == IDC_DEGREE) settings().angleInDegrees = IsDlgButtonChecked(app.functions, id) == BST_CHECKED;
  runCalculation();
}

void onClose() {
  // The formula the functions were applied to is worth keeping.
  const std::string& formula = app.calculator.formula();
  if (!formula.empty()) addHistoryEntry(app.history, formula);
}

const Satellite kFunctionsWindow = {&CalculatorApp::functions, "X_FUNKTIONS_WINDOW", IDC_OPEN_FUNCTIONS,
                                    onInit, onControl, onClose, nullptr, nullptr, nullptr};

}  // namespace

void openFunctionsWindow() { openSatellite(kFunctionsWindow); }
