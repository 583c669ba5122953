// The main calculator window: one switch on the message, each case a
// named handler.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/calculation.h"
#include "engine/integer_mode.h"
#include "engine/run_status.h"
#include "engine/texts.h"
#include "resource.h"
#include "store/history.h"
#include "store/settings_file.h"
#include "ui/app.h"
#include "ui/edit_rules.h"

namespace {

// The controls the history list covers while it is shown.
constexpr int kCoveredByList[] = {182, 186, 183, 184, 187, 185, 190, 144, 150, 171, 136, 155,
                                  154, 151, 152, 157, 156, 141, 142, 162, 128, 145, 166, 163,
                                  111, 112, 125, 124, 146, 108, 109, 116, 115, 129, 105, 106,
                                  113, 114, 127, 126, 122, 123, 191, 192, 175};

constexpr int kEditableFields[] = {IDC_ENTRY, IDC_FIELD_X, IDC_FIELD_Y, IDC_FIELD_W, IDC_FIELD_V};

bool isEditableField(int id) {
  return std::find(std::begin(kEditableFields), std::end(kEditableFields), id) !=
         std::end(kEditableFields);
}

// Buttons that type a text: id, text, kind.
struct TypingButton {
  int id;
  const char* text;
  int kind;
};
constexpr TypingButton kTypingButtons[] = {
    {IDC_DIGIT_0, "0", kPlainText}, {IDC_DIGIT_1, "1", kPlainText}, {IDC_DIGIT_2, "2", kPlainText},
    {IDC_DIGIT_3, "3", kPlainText}, {IDC_DIGIT_4, "4", kPlainText}, {IDC_DIGIT_5, "5", kPlainText},
    {IDC_DIGIT_6, "6", kPlainText}, {IDC_DIGIT_7, "7", kPlainText}, {IDC_DIGIT_8, "8", kPlainText},
    {IDC_DIGIT_9, "9", kPlainText},
    {IDC_PLUS, "+", kPlainText}, {IDC_MINUS, "-", kPlainText},
    {IDC_TIMES, "*", kBinaryOperator}, {IDC_DIVIDE, "/", kBinaryOperator},
    {IDC_POWER, "^", kBinaryOperator}, {IDC_DEGREE_MINUTE, "'", kPlainText},
    {IDC_OPEN_BRACKET, "(", kPlainText}, {IDC_CLOSE_BRACKET, ")", kPlainText},
    {IDC_EXPONENT, "e", kPlainText}, {IDC_PERCENT, "%", kPlainText},
    {IDC_LETTER_X, "X", kPlainText}, {IDC_LETTER_Y, "Y", kPlainText},
    {IDC_LETTER_Z, "Z", kPlainText}, {IDC_LETTER_V, "V", kPlainText},
    {IDC_LETTER_W, "W", kPlainText},
};

// Caret buttons and the keys they press.
constexpr std::pair<int, int> kKeyButtons[] = {
    {IDC_BACKSPACE, kBackspaceKey}, {IDC_CARET_LEFT, VK_LEFT}, {IDC_CARET_RIGHT, VK_RIGHT},
    {IDC_DELETE_RIGHT, VK_DELETE},  {IDC_CARET_HOME, VK_HOME}, {IDC_CARET_END, VK_END},
};

// Buttons of the scientific-functions window, forwarded with 1025.
constexpr const char* kFunctionNames[] = {"sin", "cos",  "tan", "asin", "acos",
                                          "atan", "log", "ln",  "abs",  "int",
                                          "frac", "sqr", "sqrt", "fac", "not"};
constexpr int kFirstFunctionButton = IDC_SIN;

// Buttons of the programmer window that type, forwarded with 1026.
constexpr TypingButton kProgrammerButtons[] = {
    {IDC_HEX_A, "A", kPlainText},  {IDC_HEX_B, "B", kPlainText},
    {IDC_HEX_C, "C", kPlainText},  {IDC_HEX_D, "D", kPlainText},
    {IDC_HEX_E, "E", kPlainText},  {IDC_HEX_F, "F", kPlainText},
    {IDC_PREFIX_HEX, "#h", kPlainText}, {IDC_PREFIX_OCT, "#o", kPlainText},
    {IDC_PREFIX_BIN, "#b", kPlainText}, {IDC_PREFIX_ASCII, "#a", kPlainText},
    {IDC_AND, "&", kBinaryOperator}, {IDC_OR, "|", kBinaryOperator},
    {IDC_XOR, "\\", kBinaryOperator}, {IDC_SHL, "<", kBinaryOperator},
    {IDC_SHR, ">", kBinaryOperator}, {IDC_MOD, "~", kBinaryOperator},
};

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

void setStatus(const char* text) { setControlText(app.main, IDC_STATUS, text); }

void createFonts(HWND window) {
  HDC device = GetDC(window);
  int pixelsPerInch = GetDeviceCaps(device, LOGPIXELSY);
  ReleaseDC(window, device);
  int points = calcSettings.bigLayout ? 10 : 8;
  int index = 0;
  for (const FontRow& row : kFonts) {
    int divisor = calcSettings.bigLayout ? row.divisorBig : row.divisorSmall;
    int weight = calcSettings.bigLayout ? row.weightBig : row.weightSmall;
    HFONT font = CreateFontA(-MulDiv(pixelsPerInch, points, divisor), 0, 0, 0, weight, row.italic,
                             FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "MS Sans Serif");
    app.fonts[index++] = font;
    for (int id : row.controls) SendDlgItemMessageA(window, id, WM_SETFONT, (WPARAM)font, TRUE);
  }
}

void measureHistoryList(HWND window) {
  RECT entry, formulas, list;
  GetClientRect(GetDlgItem(window, IDC_ENTRY), &entry);
  GetClientRect(GetDlgItem(window, IDC_SHOW_FORMULAS), &formulas);
  GetClientRect(GetDlgItem(window, IDC_HISTORY_LIST), &list);
  app.listWidth = entry.right + formulas.right;
  app.listHeight = list.bottom + 4;
}

void fillNotationList(HWND window) {
  // The list drops wider than the box, so the longest labels show whole.
  SendDlgItemMessageA(window, IDC_NOTATION, CB_SETDROPPEDWIDTH, 140, 0);
  for (int i = 0; i < kNotationCount; ++i)
    SendDlgItemMessageA(window, IDC_NOTATION, CB_ADDSTRING, 0,
                        (LPARAM)notationLabel(static_cast<OutputNotation>(i)));
  SendDlgItemMessageA(window, IDC_NOTATION, CB_SETCURSEL, static_cast<int>(calcSettings.outputNotation), 0);
}

// The engine reads and writes the variable fields of this window.
std::string readVariableField(int id, std::size_t maxChars) { return controlText(app.main, id, maxChars); }
void writeVariableField(int id, const std::string& text) { setControlText(app.main, id, text); }

BOOL onInitDialog(HWND window) {
  app.icon = LoadIconA(app.instance, MAKEINTRESOURCEA(IDI_QUORVEX));
  SetClassLongPtrA(window, GCLP_HICON, (LONG_PTR)app.icon);
  trimSystemMenu(window);
  app.main = window;
  app.functions = app.programmer = app.regression = nullptr;
  fieldAccess = {readVariableField, writeVariableField};
  SetWindowPos(window, nullptr, settingsRecord.startLeft(), settingsRecord.startTop(), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER);
  setTitle();
  loadHistory(historyFileName);
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

  setControlText(window, IDC_PRECISION, formatNumber(calcSettings.precision));
  HWND spin = GetDlgItem(window, IDC_PRECISION_SPIN);
  SendMessageA(spin, UDM_SETBUDDY, (WPARAM)GetDlgItem(window, IDC_PRECISION), 0);
  SendMessageA(spin, UDM_SETRANGE32, 0, 16);
  SendMessageA(spin, UDM_SETPOS32, 0, std::clamp(calcSettings.startPrecision, 0, 16));
  setControlText(window, IDC_PRECISION, formatNumber(std::clamp(calcSettings.startPrecision, 0, 16)));
  createFonts(window);
  AppendMenuA(GetSystemMenu(window, FALSE), MF_SEPARATOR, 0, nullptr);
  appendMenuEntries();

  zInFormula = false;
  CheckDlgButton(window, IDC_AUTOCLIP, calcSettings.autoclip ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(window, IDC_CLIPVAR, calcSettings.clipvar ? BST_CHECKED : BST_UNCHECKED);
  SetTimer(window, CALC_TIMER_ID, CALC_TIMER_MS, nullptr);
  divisionSelfTest();
  calcSettings.outputNotation = calcSettings.startNotation;
  fillNotationList(window);

  SetFocus(GetDlgItem(window, IDC_ENTRY));
  app.focusField = app.targetField = IDC_ENTRY;
  if (app.hasStartFormula) loadEntryText(app.startFormula);
  else if (historyList.defaultFormula) loadEntryText(*historyList.defaultFormula);
  setStatus("Quorvex 4.12 by the Quorvex team 5/2007");
  measureHistoryList(window);
  measureLayout();
  app.minimizedAtStart = calcSettings.minimizedThisRun;
  if (app.minimizedAtStart) ShowWindow(window, SW_MINIMIZE);
  return FALSE;  // the focus is set
}

void exitCalculator() {
  saveHistory(historyFileName);
  RECT frame = {};
  GetWindowRect(app.main, &frame);
  if (const char* problem = saveSettings(settingsFilePath(programFilePath()),
                                         app.minimizedAtStart, frame.left, frame.top))
    MessageBoxA(app.main, problem, "", MB_OK);
  KillTimer(app.main, CALC_TIMER_ID);
  closeHelp();
  EndDialog(app.main, 0);
  PostQuitMessage(0);
}

void showHistoryList(int mode) {
  HWND list = GetDlgItem(app.main, IDC_HISTORY_LIST);
  if (IsWindowVisible(list)) {
    for (int id : kCoveredByList) ShowWindow(GetDlgItem(app.main, id), SW_SHOW);
    ShowWindow(list, SW_HIDE);
    app.historyBoxMode = 0;
    return;
  }
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& text : historyTexts(mode == 1))
    SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)text.c_str());
  SetWindowPos(list, HWND_TOP, 0, 0, app.listWidth, app.listHeight, SWP_NOMOVE);
  for (int id : kCoveredByList) ShowWindow(GetDlgItem(app.main, id), SW_HIDE);
  ShowWindow(list, SW_SHOW);
  app.historyBoxMode = mode;
}

void hideHistoryList() {
  if (app.historyBoxMode != 0) showHistoryList(app.historyBoxMode);
}

void allClear() {
  auto field = [](int id) { return controlText(app.main, id, kVariableFieldLimit); };
  commitHistoryEntry(entryText, hasError(),
                     variableAssignments(field(IDC_FIELD_V), field(IDC_FIELD_W), field(IDC_FIELD_X),
                                         field(IDC_FIELD_Y)));
  for (int id : {IDC_ENTRY, IDC_FIELD_V, IDC_FIELD_W, IDC_FIELD_X, IDC_FIELD_Y, IDC_FIELD_Z})
    setControlText(app.main, id, "");
  refocusTarget();
}

void undo() {
  std::string previous = popRecall();
  if (!app.undoBuffer.empty()) {
    app.undoPending = false;
    setControlText(app.main, IDC_ENTRY, previous);
  }
  refocusTarget();
}

void takeResult() {
  if (!resultText.empty() && resultAsInputText()) {
    setControlText(app.main, IDC_ENTRY, inputTextBuffer);
    pressKey(VK_END);
  }
  refocusTarget();
}

// The button actions; true when id is a button.
bool onButton(int id) {
  for (const TypingButton& b : kTypingButtons) {
    if (b.id == id) {
      insertText(b.text, b.kind);
      return true;
    }
  }
  for (auto [button, key] : kKeyButtons) {
    if (button == id) {
      pressKey(key);
      return true;
    }
  }
  switch (id) {
    case IDC_POINT:
      insertText(calcSettings.language == Language::German ? "," : ".", kPlainText);
      return true;
    case IDC_COMMENT:
      insertText("[]", kPlainText);
      pressKey(VK_LEFT);
      return true;
    case IDC_RECIPROCAL: insertFunction("1/"); return true;
    case IDC_RESULT_TO_X:
    case IDC_RESULT_TO_Y:
      if (!hasError()) setControlText(app.main, id == IDC_RESULT_TO_X ? IDC_FIELD_X : IDC_FIELD_Y, resultText);
      refocusTarget();
      return true;
    case IDC_ENTRY_TO_CLIPBOARD:
      if (!entryText.empty()) setClipboardText(entryText);
      refocusTarget();
      return true;
    case IDC_RESULT_TO_CLIPBOARD:
      if (!hasError()) setClipboardText(resultText);
      refocusTarget();
      return true;
    case IDC_PASTE_CLIPBOARD:
      pasteIntoField(IDC_ENTRY, entryText, kEntryFieldLimit, false);
      refocusTarget();
      pressKey(VK_END);
      return true;
    case IDC_EQUATION_TO_CLIPBOARD:
      if (!hasError()) copyEquation();
      refocusTarget();
      return true;
    case IDC_TAKE_RESULT: takeResult(); return true;
    case IDC_UNDO: undo(); return true;
    case IDC_ALL_CLEAR: allClear(); return true;
    case IDC_SHOW_NAMED: showHistoryList(1); return true;
    case IDC_SHOW_FORMULAS: showHistoryList(2); return true;
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
      setError(pickText(Msg::HelpPrompt));
      setStatus(runStatus.errorText);
      return true;
    default: return false;
  }
}

// Reads the Z field and recalculates when it holds a text.
void onZChanged() {
  savedZText = controlText(app.main, IDC_FIELD_Z, kZFieldLimit);
  if (!savedZText.empty()) runCalculation();
}

void onPrecisionChanged() {
  std::string text = controlText(app.main, IDC_PRECISION, 16);
  long value = std::strtol(text.c_str(), nullptr, 0);
  calcSettings.precision = static_cast<int>(std::clamp(value, 0L, 16L));
  runCalculation();
}

void onNotification(int id, int code) {
  switch (code) {
    case BN_CLICKED:
    case EN_SETFOCUS:
      if (isEditableField(id)) {
        // Buttons type into the field that had the focus last, at once.
        app.focusField = app.targetField = id;
        if (id == IDC_ENTRY) hideHistoryList();
      } else if (id == IDC_AUTOCLIP && code == BN_CLICKED) {
        calcSettings.autoclip = IsDlgButtonChecked(app.main, id) == BST_CHECKED;
        runCalculation();
        refocusTarget();
      } else if (id == IDC_CLIPVAR && code == BN_CLICKED) {
        calcSettings.clipvar = IsDlgButtonChecked(app.main, id) == BST_CHECKED;
      }
      break;
    case LBN_SELCHANGE:  // also CBN_SELCHANGE
      if (id == IDC_HISTORY_LIST) {
        HWND list = GetDlgItem(app.main, IDC_HISTORY_LIST);
        LRESULT index = SendMessageA(list, LB_GETCURSEL, 0, 0);
        LRESULT length = index >= 0 ? SendMessageA(list, LB_GETTEXTLEN, index, 0) : -1;
        if (length >= 0) {
          std::string line(static_cast<std::size_t>(length) + 1, '\0');
          SendMessageA(list, LB_GETTEXT, index, (LPARAM)line.data());
          line.resize(static_cast<std::size_t>(length));
          hideHistoryList();
          loadEntryText(line);
        }
      } else if (id == IDC_NOTATION) {
        LRESULT index = SendDlgItemMessageA(app.main, IDC_NOTATION, CB_GETCURSEL, 0, 0);
        if (index >= 0 && index < kNotationCount) calcSettings.outputNotation = static_cast<OutputNotation>(index);
        runCalculation();
      }
      break;
    case EN_CHANGE:
      if (isEditableField(id)) {
        runCalculation();
        onZChanged();
      } else if (id == IDC_FIELD_Z) {
        onZChanged();
      } else if (id == IDC_PRECISION) {
        onPrecisionChanged();
      }
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
  if (wantsHelp(id, code)) showHelpFor(id);
  else if (code == BN_CLICKED && !isEditableField(id)) onButton(id);
  onNotification(id, code);
}

void onTimer() {
  if (app.ticks == 0) {
    SetFocus(GetDlgItem(app.main, IDC_ENTRY));
    // The dialog manager shows the window normally once its queue first
    // runs empty, which undoes the minimize of the creation.
    if (app.minimizedAtStart && !IsIconic(app.main)) ShowWindow(app.main, SW_MINIMIZE);
  }
  if (zInFormula) pasteIntoField(IDC_FIELD_Z, savedZText, kZFieldLimit, true);
  if (++app.snapshotTicks >= 3 && !hasError()) {
    if (!entryText.empty() && (recallStackEmpty() || recallTop() != entryText)) {
      app.undoBuffer = entryText;
      app.undoPending = true;
    }
    app.snapshotTicks = 0;
  }
  ++app.ticks;
  if (calcSettings.floatOnTop && app.ticks % 4 == 0)
    SetWindowPos(app.main, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  app.targetField = app.focusField;
}

void onFunctionButton(int id) {
  if (app.helpMode) {
    showHelpFor(id);
  } else if (id >= kFirstFunctionButton && id < kFirstFunctionButton + 15) {
    insertFunction(kFunctionNames[id - kFirstFunctionButton]);
  } else if (id == IDC_PI || id == IDC_EUL) {
    insertText(id == IDC_PI ? "Pi" : "Eul", kPlainText);
  }
}

void onProgrammerButton(int id) {
  if (app.helpMode) {
    showHelpFor(id);
    return;
  }
  if (id == IDC_NOT) {
    insertFunction("not");
    return;
  }
  for (const TypingButton& b : kProgrammerButtons)
    if (b.id == id) insertText(b.text, b.kind);
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
    case WM_HELP: showHelpCommand(8881); return TRUE;
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
      setControlText(window, IDC_PRECISION, formatNumber(calcSettings.precision));
      return TRUE;
    default: return FALSE;
  }
}
