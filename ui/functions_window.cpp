// The scientific-functions window: function buttons, Pi and Eul, and the
// angle unit. Its buttons type through the main window, which owns every
// edit of the formula.
#include "engine/calc_settings.h"
#include "engine/variables.h"
#include "resource.h"
#include "store/history.h"
#include "ui/app.h"

namespace {

void onInitDialog(HWND window) {
  trimSystemMenu(window);
  app.functions = window;
  CheckDlgButton(window, IDC_DEGREE, calcSettings.angleInDegrees ? BST_CHECKED : BST_UNCHECKED);
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
  if (id == IDC_DEGREE) calcSettings.angleInDegrees = IsDlgButtonChecked(app.functions, id) == BST_CHECKED;
  runCalculation();
}

void onClose() {
  // The formula the functions were applied to is worth keeping.
  if (!entryText.empty()) addHistoryEntry(entryText);
  closeSatellite(app.functions);
}

INT_PTR CALLBACK functionsWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: onInitDialog(window); return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) onClose();
      else onControl(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE: onClose(); return TRUE;
    case WM_HELP: showHelpTopicOf(IDC_OPEN_FUNCTIONS); return TRUE;
    case WM_DESTROY: app.functions = nullptr; return TRUE;
    default: return FALSE;
  }
}

}  // namespace

void openFunctionsWindow() {
  if (app.functions) SetFocus(app.functions);
  else createSatellite("X_FUNKTIONS_WINDOW", functionsWindowProc);
}
