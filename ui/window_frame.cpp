// The main window's frame: title, widening, satellites that follow it, and
// the calculator's own entries of the system menu.
#include "engine/texts.h"
#include "help/help_topics.h"
#include "resource.h"
#include "ui/app.h"
#include "version.h"

namespace {

// Sizes and places at creation, in pixels of the main window's client area.
struct Layout {
  bool measured = false;
  int width = 0, height = 0;  // the outer rectangle
  int xNamed = 0, xFormulas = 0;  // "F" and "H"
  int wEntry = 0, wResult = 0, wZ = 0, xZ = 0, wV = 0, wX = 0, xX = 0;
  int xLetterX = 0, xResultToClipboard = 0, xLetterZ = 0;
  int lastX = 0, lastY = 0;  // the client area's origin, for the satellites
};
Layout layout;

RECT controlRect(int id) {
  RECT r = {};
  HWND control = GetDlgItem(app.main, id);
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, app.main, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int left(int id) { return controlRect(id).left; }
int width(int id) {
  RECT r = controlRect(id);
  return r.right - r.left;
}

void moveTo(int id, int x) {
  RECT r = controlRect(id);
  SetWindowPos(GetDlgItem(app.main, id), nullptr, x, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void resize(int id, int x, int w) {
  RECT r = controlRect(id);
  SetWindowPos(GetDlgItem(app.main, id), nullptr, x, r.top, w, r.bottom - r.top, SWP_NOZORDER);
}

// Menu entries: id and the text for the state in force.
struct MenuEntry {
  UINT id;
  Msg (*text)();
};
const MenuEntry kMenuEntries[] = {
    {IDM_HELP_CONTENTS, [] { return Msg::MenuHelpContents; }},
    {IDM_GENERAL_HELP, [] { return Msg::MenuGeneralHelp; }},
    {IDM_USING_HELP, [] { return Msg::MenuUsingHelp; }},
    {IDM_BUTTON_HELP, [] { return Msg::MenuButtonHelp; }},
    {IDM_LAYOUT, [] { return app.settingsRecord.field(kStartBigByte) ? Msg::MenuSmallerWindow : Msg::MenuBiggerWindow; }},
    {IDM_FLOAT_ON_TOP, [] { return settings().floatOnTop ? Msg::MenuNoFloatOnTop : Msg::MenuFloatOnTop; }},
    {IDM_LANGUAGE, [] { return Msg::MenuOtherLanguage; }},
    {IDM_MINIMIZED_START, [] { return app.settingsRecord.field(kStartMinimizedByte) ? Msg::MenuStartMaximized : Msg::MenuStartMinimized; }},
    {IDM_GRAPH, [] { return Msg::MenuGraph; }},
};

std::string textInForce(Msg message) { return textFor(message, settings().language); }

void tell(Msg message) { MessageBoxA(app.main, textInForce(message).c_str(), "", MB_OK); }

void toggleRecordByte(std::size_t offset) {
  app.settingsRecord.setField(offset, app.settingsRecord.field(offset) ? 0 : 1);
}

}  // namespace

void setTitle() {
  std::string title = "Quorvex " QVX_VERSION;
  if (app.historyFileName != kHistoryFileName) title += " " + app.historyFileName;
  SetWindowTextA(app.main, title.c_str());
}

void trimSystemMenu(HWND window) {
  DeleteMenu(GetSystemMenu(window, FALSE), SC_MAXIMIZE, MF_BYCOMMAND);
}

void appendMenuEntries() {
  HMENU menu = GetSystemMenu(app.main, FALSE);
  for (const MenuEntry& entry : kMenuEntries)
    AppendMenuA(menu, MF_STRING, entry.id, textInForce(entry.text()).c_str());
}

void removeMenuEntries() {
  HMENU menu = GetSystemMenu(app.main, FALSE);
  for (const MenuEntry& entry : kMenuEntries) DeleteMenu(menu, entry.id, MF_BYCOMMAND);
}

void rebuildMenuEntries() {
  removeMenuEntries();
  appendMenuEntries();
}

void measureLayout() {
  RECT frame;
  GetWindowRect(app.main, &frame);
  layout.width = frame.right - frame.left + 1;
  layout.height = frame.bottom - frame.top + 1;
  layout.xNamed = left(IDC_SHOW_NAMED);
  layout.xFormulas = left(IDC_SHOW_FORMULAS);
  layout.wEntry = width(IDC_ENTRY);
  layout.wResult = width(IDC_RESULT);
  layout.wZ = width(IDC_FIELD_Z);
  layout.xZ = left(IDC_FIELD_Z);
  layout.wV = width(IDC_FIELD_V);
  layout.wX = width(IDC_FIELD_X);
  layout.xX = left(IDC_FIELD_X);
  layout.xLetterX = left(IDC_LETTER_X);
  layout.xResultToClipboard = left(IDC_RESULT_TO_CLIPBOARD);
  layout.xLetterZ = left(IDC_LETTER_Z);
  layout.measured = true;
}

int widenedBy() {
  RECT frame;
  GetWindowRect(app.main, &frame);
  return layout.measured ? frame.right - frame.left + 1 - layout.width : 0;
}

void onSizing(RECT& proposed) {
  if (!layout.measured) return;
  int newWidth = proposed.right - proposed.left + 1;
  int newHeight = proposed.bottom - proposed.top + 1;
  if (newWidth == 0) return;
  if (newHeight != layout.height) proposed.bottom = proposed.top + layout.height - 1;
  if (newWidth < layout.width) {
    newWidth = layout.width;
    proposed.right = proposed.left + layout.width - 1;
  }
  int extra = newWidth - layout.width, half = extra / 2;
  moveTo(IDC_SHOW_NAMED, layout.xNamed + extra);
  moveTo(IDC_SHOW_FORMULAS, layout.xFormulas + extra);
  resize(IDC_ENTRY, left(IDC_ENTRY), layout.wEntry + extra);
  resize(IDC_RESULT, left(IDC_RESULT), layout.wResult + half);
  resize(IDC_FIELD_Z, layout.xZ + half, layout.wZ + half);
  moveTo(IDC_RESULT_TO_CLIPBOARD, layout.xResultToClipboard + half);
  moveTo(IDC_LETTER_Z, layout.xLetterZ + half);
  resize(IDC_FIELD_V, left(IDC_FIELD_V), layout.wV + half);
  resize(IDC_FIELD_W, left(IDC_FIELD_W), layout.wV + half);
  resize(IDC_FIELD_X, layout.xX + half, layout.wX + half);
  resize(IDC_FIELD_Y, layout.xX + half, layout.wX + half);
  moveTo(IDC_LETTER_X, layout.xLetterX + half);
  moveTo(IDC_LETTER_Y, layout.xLetterX + half);
  if (app.historyBox != HistoryBox::Hidden) {
    RECT list = controlRect(IDC_HISTORY_LIST);
    SetWindowPos(GetDlgItem(app.main, IDC_HISTORY_LIST), nullptr, 0, 0, app.listWidth + extra,
                 list.bottom - list.top, SWP_NOMOVE | SWP_NOZORDER);
  }
  InvalidateRect(app.main, nullptr, TRUE);
}

void onMove(int x, int y) {
  for (HWND satellite : {app.regression, app.functions, app.programmer, app.graph}) {
    if (satellite == nullptr) continue;
    RECT r;
    GetWindowRect(satellite, &r);
    SetWindowPos(satellite, HWND_TOP, r.left + x - layout.lastX, r.top + y - layout.lastY, 0, 0,
                 SWP_NOSIZE);
  }
  layout.lastX = x;
  layout.lastY = y;
}

bool onMenuCommand(UINT id) {
  switch (id) {
    case IDM_HELP_CONTENTS: showHelpCommand(kHelpContents); return true;
    case IDM_GENERAL_HELP: showHelpTopic(1, "P_intro"); return true;
    case IDM_USING_HELP: showHelpCommand(kHelpUsingHelp); return true;
    case IDM_BUTTON_HELP: tell(Msg::ButtonHelpMessage); return true;
    case IDM_LAYOUT:
      toggleRecordByte(kStartBigByte);
      tell(Msg::RestartMessage);
      rebuildMenuEntries();
      return true;
    case IDM_FLOAT_ON_TOP:
      settings().floatOnTop = !settings().floatOnTop;
      rebuildMenuEntries();
      SetWindowPos(app.main, settings().floatOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE);
      return true;
    case IDM_LANGUAGE:
      settings().language =
          settings().language == Language::German ? Language::English : Language::German;
      closeHelp();
      detectHelp();
      setTitle();
      rebuildMenuEntries();
      refreshGraph();
      return true;
    case IDM_MINIMIZED_START:
      toggleRecordByte(kStartMinimizedByte);
      if (app.settingsRecord.field(kStartMinimizedByte)) tell(Msg::MinimizedStartMessage);
      rebuildMenuEntries();
      return true;
    case IDM_GRAPH: openGraphWindow(); return true;
    default: return false;
  }
}
