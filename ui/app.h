// The calculator program's state and the operations its windows share.
#pragma once

#include <windows.h>

#include <string>

#include "run/calculator.h"
#include "store/history.h"
#include "store/settings_file.h"

enum class HistoryBox { Hidden, Named, Formulas };

struct CalculatorApp {
  // The calculator the windows show, with its settings; the history and the
  // undo stack of the entry field; the settings file's record.
  Calculator calculator;
  HistoryList history;
  std::string historyFileName = kHistoryFileName;  // or the formula file named at start
  RecallStack recall;
  SettingsRecord settingsRecord;
  // The Z field's text as it last changed: what Z's first sighting fills in.
  std::string savedZText;
  // The last result taken back as input ("v", or into the wanted value).
  std::string lastInputText;

  HINSTANCE instance = nullptr;
  HWND main = nullptr;
  // Satellite windows; absent (null) until they are opened.
  HWND functions = nullptr, programmer = nullptr, regression = nullptr, graph = nullptr;
  HICON icon = nullptr;

  std::string startFormula;
  bool hasStartFormula = false;

  int focusField = 0;   // the field that last had the focus
  int targetField = 0;  // the field buttons type into
  bool helpMode = false;
  HistoryBox historyBox = HistoryBox::Hidden;
  std::string undoBuffer;
  bool undoPending = false;
  int snapshotTicks = 0;
  int ticks = 0;
  bool minimizedAtStart = false;
  bool loadingEntry = false;  // loadEntryText is filling fields: no runs

  // The history list's size when shown, measured at creation.
  int listWidth = 0, listHeight = 0;
  HFONT fonts[6] = {};
};

extern CalculatorApp app;

// The settings of the window's calculator.
inline CalcSettings& settings() { return app.calculator.settings(); }

// How much text the fields take.
constexpr std::size_t kEntryFieldLimit = 7500;
constexpr std::size_t kVariableFieldLimit = 3000;
constexpr std::size_t kZFieldLimit = 6000;
constexpr std::size_t kResultFieldLimit = 300;

// The full path of the running program file.
std::string programFilePath();
// The wait cursor while a fraction is searched or a solve runs.
void showWaitCursor(bool on);

// Texts of controls.
std::string controlText(HWND window, int id, std::size_t maxChars);
void setControlText(HWND window, int id, const std::string& text);

// The calculation run of the main window.
void runCalculation();

// Editing operations: typing into the target field and rewriting the entry.
// A binary operator typed twice at the end of the entry brackets it first.
enum class InsertKind { Plain, BinaryOperator };
void insertText(const std::string& text, InsertKind kind);
void insertFunction(const std::string& name);
void pressKey(int key);
void refocusTarget();
void loadEntryText(const std::string& text);
constexpr int kBackspaceKey = 7777;

// The keys that type: true when id is a key of the main window's keypad.
bool pressKeypadButton(int id);
// Buttons forwarded by the functions (1025) and programmer (1026) windows.
void onFunctionButton(int id);
void onProgrammerButton(int id);

// The history list: "F" (named entries) and "H" (formulas) show it, and
// hide it again; a pick loads the entry.
void measureHistoryBox();
void toggleHistoryBox(HistoryBox contents);
void hideHistoryBox();
void onHistoryPicked();

// Clipboard.
void setClipboardText(const std::string& text);
bool getClipboardText(std::string& text);
void pasteIntoField(int field, std::string& buffer, std::size_t limit, bool compare);
void copyEquation();
std::string appendVariableLines(const std::string& output);

// Help.
void detectHelp();
void showHelpTopic(int context, const char* name);
void showHelpCommand(int command);
void closeHelp();
void showHelpFor(int controlId);
// The topic of a control, or the general help for one without a topic.
void showHelpTopicOf(int controlId);
// In help mode, a click on a control (or the focus entering a field) asks
// for that control's help instead of its action.
bool wantsHelp(int id, int code);

// The main window's frame.
void setTitle();
void trimSystemMenu(HWND window);
void appendMenuEntries();
void measureLayout();
void onSizing(RECT& proposed);
void onMove(int x, int y);
// A command of the calculator's system menu entries; false for other ids.
bool onMenuCommand(UINT id);

// The satellite windows: each opener gives an open window the focus, or
// creates it beside the main window.
void openFunctionsWindow();
void openProgrammerWindow();
void openRegressionWindow();
void openGraphWindow();
// The graph window, when open, calculates its curve anew and redraws.
void refreshGraph();

// The main window's dialog procedure.
INT_PTR CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
