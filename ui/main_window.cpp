// The main calculator window: one switch on the message, each case a
// named handler.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "display/notations.h"
#include "engine/texts.h"
#include "resource.h"
#include "ui/app.h"
#include "help/help_topics.h"
#include "store/stored_formula.h"
#include "ui/edit_rules.h"
#include "ui/variable_fields.h"
#include "version.h"

namespace {

// The fields the user types into (Z shows the clipboard).
constexpr int kEditableFields[] = {IDC_ENTRY, IDC_FIELD_X, IDC_FIELD_Y, IDC_FIELD_W, IDC_FIELD_V};

bool isEditableField(int id) {
  return std::find(std::begin(kEditableFields), std::end(kEditableFields), id) != std::end(kEditableFields);
}

// Fonts of the keypad: divisor, italic, weight (big, small), controls.
struct FontRow {
  int divisorBig, divisorSmall;
  bool italic;
  int weightBig, weightSmall;
  std::initializer_list<int> controls;
};
const FontRow kFonts[] = {
    {80, 80, false, 400, 400, {IDC_UNDO, IDC_EXPONENT}},
    {58, 58, false, 400, 400, {IDC_ENTRY, IDC_RESULT}},
    {58, 58, false, 400, 400,
     {IDC_DIGIT_0, IDC_DIGIT_1, IDC_DIGIT_2, IDC_DIGIT_3, IDC_DIGIT_4, IDC_DIGIT_5, IDC_DIGIT_6,
      IDC_DIGIT_7, IDC_DIGIT_8, IDC_DIGIT_9, IDC_POINT}},
    {72, 68, false, 700, 700, {IDC_ALL_CLEAR}},
    {52, 52, false, 700, 400, {IDC_PLUS, IDC_MINUS, IDC_DIVIDE, IDC_TIMES}},
    {72, 72, true, 300, 300, {IDC_OPEN_PROGRAMMER, IDC_OPEN_REGRESSION, IDC_OPEN_FUNCTIONS}},
};

std::string formatNumber(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return text;
}

void setStatus(const std::string& text) { setControlText(app.main, IDC_STATUS, text); }

void createFonts(HWND window) {
  HDC device = GetDC(window);
  int pixelsPerInch = GetDeviceCaps(device, LOGPIXELSY);
  ReleaseDC(window, device);
  int points = settings().bigLayout ? 10 : 8;
  int index = 0;
  for (const FontRow& row : kFonts) {
    int divisor = settings().bigLayout ? row.divisorBig : row.divisorSmall;
    int weight = settings().bigLayout ? row.weightBig : row.weightSmall;
    HFONT font = CreateFontA(-MulDiv(pixelsPerInch, points, divisor), 0, 0, 0, weight, row.italic,
                             FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    app.fonts[index++] = font;
    for (int id : row.controls) SendDlgItemMessageA(window, id, WM_SETFONT, (WPARAM)font, TRUE);
  }
}

void fillNotationList(HWND window) {
  // The list drops wider than the box, so the longest labels show whole.
  SendDlgItemMessageA(window, IDC_NOTATION, CB_SETDROPPEDWIDTH, 140, 0);
  for (int i = 0; i < kNotationCount; ++i)
    SendDlgItemMessageA(window, IDC_NOTATION, CB_ADDSTRING, 0,
                        (LPARAM)notationLabel(static_cast<OutputNotation>(i)));
  SendDlgItemMessageA(window, IDC_NOTATION, CB_SETCURSEL, static_cast<int>(settings().outputNotation), 0);
}

// The calculator reads the variable fields of this window.
std::string readVariableField(char letter, std::size_t maxChars) {
  return controlText(app.main, fieldOfVariable(letter), maxChars);
}

BOOL onInitDialog(HWND window) {
  app.icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUORVEX));
  SetClassLongPtrA(window, GCLP_HICON, (LONG_PTR)app.icon);
  trimSystemMenu(window);
  app.main = window;
  app.functions = app.programmer = app.regression = app.graph = nullptr;
  app.calculator.readVariablesWith(readVariableField, true);
  SetWindowPos(window, nullptr, app.settingsRecord.startLeft(), app.settingsRecord.startTop(), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  setTitle();
  loadHistory(app.history, app.historyFileName);
  app.helpMode = false;
  detectHelp();
  app.undoBuffer.clear();
  app.snapshotTicks = 0;
  app.undoPending = false;

  static constexpr std::pair<int, std::size_t> kLimits[] = {
      {IDC_ENTRY, kEntryFieldLimit},      {IDC_FIELD_V, kVariableFieldLimit},
      {IDC_FIELD_W, kVariableFieldLimit}, {IDC_FIELD_X, kVariableFieldLimit},
      {IDC_FIELD_Y, kVariableFieldLimit}, {IDC_FIELD_Z, kZFieldLimit},
      {IDC_RESULT, kResultFieldLimit}};
  for (auto [id, limit] : kLimits) SendDlgItemMessageA(window, id, EM_LIMITTEXT, limit, 0);

  setControlText(window, IDC_PRECISION, formatNumber(settings().precision));
  HWND spin = GetDlgItem(window, IDC_PRECISION_SPIN);
  SendMessageA(spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(window, IDC_PRECISION), 0);
  SendMessageA(spin, UDM_SETRANGE32, 0, 16);
  SendMessageA(spin, UDM_SETPOS32, 0, std::clamp(settings().startPrecision, 0, 16));
  setControlText(window, IDC_PRECISION, formatNumber(std::clamp(settings().startPrecision, 0, 16)));
  createFonts(window);
  AppendMenuA(GetSystemMenu(window, FALSE), MF_SEPARATOR, 0, nullptr);
  appendMenuEntries();

  CheckDlgButton(window, IDC_AUTOCLIP, settings().autoclip ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window, IDC_CLIPVAR, settings().clipvar ? BST_CHECKED : BST_UNCHECKED);
  SetTimer(window, CALC_TIMER_ID, CALC_TIMER_MS, nullptr);
  settings().outputNotation = settings().startNotation;
  fillNotationList(window);

  SetFocus(GetDlgItem(window, IDC_ENTRY));
  app.focusField = app.targetField = IDC_ENTRY;
  if (app.hasStartFormula) loadEntryText(app.startFormula);
  else if (app.history.defaultFormula) loadEntryText(*app.history.defaultFormula);
  setStatus("Quorvex " QVX_VERSION " by the Quorvex team 5/2007");
  measureHistoryBox();
  measureLayout();
  app.minimizedAtStart = settings().minimizedThisRun;
  if (app.minimizedAtStart) ShowWindow(window, SW_MINIMIZE);
  return FALSE;  // the focus is set
}

void exitCalculator() {
  saveHistory(app.history, app.historyFileName, settings().language);
  RECT frame = {};
  GetWindowRect(app.main, &frame);
  if (const char* problem = saveSettings(settingsFilePath(programFilePath()), app.settingsRecord, settings(),
                                         app.minimizedAtStart, frame.left, frame.top))
    MessageBoxA(app.main, problem, "", MB_OK);
  KillTimer(app.main, CALC_TIMER_ID);
  closeHelp();
  EndDialog(app.main, 0);
  PostQuitMessage(0);
}

void allClear() {
  commitHistoryEntry(app.history, app.calculator.formula(), app.calculator.failed(),
                     variableAssignments([](char letter) {
                       return controlText(app.main, fieldOfVariable(letter), kVariableFieldLimit);
                     }));
  setControlText(app.main, IDC_ENTRY, "");
  for (const VariableField& field : kVariableFields) setControlText(app.main, field.id, "");
  refocusTarget();
}

void undo() {
  std::string previous = app.recall.pop();
  if (!app.undoBuffer.empty()) {
    app.undoPending = false;
    setControlText(app.main, IDC_ENTRY, previous);
  }
  refocusTarget();
}

void takeResult() {
  if (!app.calculator.shown().text.empty() && !app.calculator.failed()) {
    app.lastInputText = app.calculator.shownAsInput();
    setControlText(app.main, IDC_ENTRY, app.lastInputText);
    pressKey(VK_END);
  }
  refocusTarget();
}

// The buttons' actions; true when id is a button.
bool pressButton(int id) {
  if (pressKeypadButton(id)) return true;
  switch (id) {
    case IDC_RESULT_TO_X:
    case IDC_RESULT_TO_Y:
      if (!app.calculator.failed())
        setControlText(app.main, id == IDC_RESULT_TO_X ? IDC_FIELD_X : IDC_FIELD_Y, app.calculator.shown().text);
      refocusTarget();
      return true;
    case IDC_ENTRY_TO_CLIPBOARD:
      if (!app.calculator.formula().empty()) setClipboardText(app.calculator.formula());
      refocusTarget();
      return true;
    case IDC_RESULT_TO_CLIPBOARD:
      if (!app.calculator.failed()) setClipboardText(app.calculator.shown().text);
      refocusTarget();
      return true;
    case IDC_PASTE_CLIPBOARD: {
      std::string pasted;  // only a pasting that compares keeps what it pasted
      pasteIntoField(IDC_ENTRY, pasted, kEntryFieldLimit, false);
      refocusTarget();
      pressKey(VK_END);
      return true;
    }
    case IDC_EQUATION_TO_CLIPBOARD:
      if (!app.calculator.failed()) copyEquation();
      refocusTarget();
      return true;
    case IDC_TAKE_RESULT: takeResult(); return true;
    case IDC_UNDO: undo(); return true;
    case IDC_ALL_CLEAR: allClear(); return true;
    case IDC_SHOW_NAMED: toggleHistoryBox(HistoryBox::Named); return true;
    case IDC_SHOW_FORMULAS: toggleHistoryBox(HistoryBox::Formulas); return true;
    case IDC_OPEN_FUNCTIONS:
      openFunctionsWindow();
      refocusTarget();
      return true;
    case IDC_OPEN_PROGRAMMER:
      openProgrammerWindow();
      refocusTarget();
      return true;
    case IDC_OPEN_REGRESSION: openRegressionWindow(); return true;
    case IDC_HELP_MODE:
      app.helpMode = true;
      setStatus(textFor(Msg::HelpPrompt, settings().language));
      return true;
    default: return false;
  }
}

// Reads the Z field and recalculates when it holds a text.
void onZChanged() {
  app.savedZText = controlText(app.main, IDC_FIELD_Z, kZFieldLimit);
  if (!app.savedZText.empty()) runCalculation();
}

void onPrecisionChanged() {
  std::string text = controlText(app.main, IDC_PRECISION, 16);
  long value = std::strtol(text.c_str(), nullptr, 0);
  settings().precision = static_cast<int>(std::clamp(value, 0L, 16L));
  runCalculation();
}

void onNotationChosen() {
  LRESULT index = SendDlgItemMessageA(app.main, IDC_NOTATION, CB_GETCURSEL, 0, 0);
  if (index >= 0 && index < kNotationCount) settings().outputNotation = static_cast<OutputNotation>(index);
  runCalculation();
}

void onFieldNotification(int id, int code) {
  if (code == EN_SETFOCUS) {
    // Buttons type into the field that had the focus last, at once.
    app.focusField = app.targetField = id;
    if (id == IDC_ENTRY) hideHistoryBox();
  } else if (code == EN_CHANGE) {
    runCalculation();
  }
}

// What a control's notification does, apart from a button's click.
void onNotification(int id, int code) {
  if (isEditableField(id)) {
    onFieldNotification(id, code);
    return;
  }
  switch (id) {
    case IDC_FIELD_Z:
      if (code == EN_CHANGE) onZChanged();
      break;
    case IDC_PRECISION:
      if (code == EN_CHANGE) onPrecisionChanged();
      break;
    case IDC_AUTOCLIP:
      if (code != BN_CLICKED) break;
      settings().autoclip = IsDlgButtonChecked(app.main, id) == BST_CHECKED;
      runCalculation();
      refocusTarget();
      break;
    case IDC_CLIPVAR:
      if (code == BN_CLICKED) settings().clipvar = IsDlgButtonChecked(app.main, id) == BST_CHECKED;
      break;
    case IDC_HISTORY_LIST:
      if (code == LBN_SELCHANGE) onHistoryPicked();
      break;
    case IDC_NOTATION:
      if (code == CBN_SELCHANGE) onNotationChosen();
      break;
    default:
      break;
  }
}

void onCommand(int id, int code) {
  if (id == IDCANCEL) {
    exitCalculator();
    return;
  }
  // In help mode a control is explained; a check box's own notification
  // still follows and finds its mark put back.
  if (wantsHelp(id, code)) showHelpFor(id);
  else if (code == BN_CLICKED && pressButton(id)) return;
  onNotification(id, code);
}

// The first tick, once the dialog manager has shown the window: the focus to
// the entry field, and a minimized start minimized again (showing the
// window undid the minimize of the creation).
void onFirstTick() {
  SetFocus(GetDlgItem(app.main, IDC_ENTRY));
  if (app.minimizedAtStart && !IsIconic(app.main)) ShowWindow(app.main, SW_MINIMIZE);
}

// A formula that stood unchanged and without error for three ticks is the
// next one that undo brings back.
void takeUndoSnapshot() {
  const std::string& formula = app.calculator.formula();
  if (++app.snapshotTicks < 3 || app.calculator.failed()) return;
  if (!formula.empty() && (app.recall.empty() || app.recall.top() != formula)) {
    app.undoBuffer = formula;
    app.undoPending = true;
  }
  app.snapshotTicks = 0;
}

void onTimer() {
  if (app.ticks == 0) onFirstTick();
  // Z follows the clipboard while the formula reads it.
  if (app.calculator.zInFormula()) pasteIntoField(IDC_FIELD_Z, app.savedZText, kZFieldLimit, true);
  takeUndoSnapshot();
  ++app.ticks;
  if (settings().floatOnTop && app.ticks % 4 == 0)
    SetWindowPos(app.main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  app.targetField = app.focusField;
}

void onSize() {
  if (app.ticks > 0) app.minimizedAtStart = false;
  if (app.minimizedAtStart) runCalculation();
  else setTitle();
}

}  // namespace

INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: return onInitDialog(window);
    case WM_COMMAND: onCommand(LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_TIMER:
      if (wParam == CALC_TIMER_ID) onTimer();
      return TRUE;
    case WM_HELP: showHelpCommand(kHelpGeneral); return TRUE;
    case WM_SIZE: onSize(); return TRUE;
    case WM_SIZING:
      onSizing(*reinterpret_cast<RECT*>(lParam));
      return FALSE;
    case WM_MOVE:
      onMove(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
      return TRUE;
    case WM_SYSCOMMAND:
      // The calculator's own entries run when chosen; the system's own
      // commands go on to the dialog manager.
      if (onMenuCommand(static_cast<UINT>(wParam))) return TRUE;
      return FALSE;
    case WM_DESTROY:
      if (app.icon) DestroyIcon(app.icon);
      for (HFONT& font : app.fonts) {
        if (font) DeleteObject(font);
        font = nullptr;
      }
      app.main = nullptr;
      return TRUE;
    case WM_USER_FUNCTION_BUTTON: onFunctionButton(static_cast<int>(wParam)); return TRUE;
    case WM_USER_PROGRAMMER_BUTTON: onProgrammerButton(static_cast<int>(wParam)); return TRUE;
    case WM_USER_SHOW_PRECISION:
      setControlText(window, IDC_PRECISION, formatNumber(settings().precision));
      return TRUE;
    default: return FALSE;
  }
}
