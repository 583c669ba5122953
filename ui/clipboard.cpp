// The clipboard: results and equations out, pasted formulas and the Z
// variable in.
#include <cstring>

#include "resource.h"
#include "ui/app.h"
#include "ui/clipboard_text.h"
#include "ui/variable_fields.h"

void setClipboardText(const std::string& text) {
  if (text.empty() || !OpenClipboard(nullptr)) return;
  EmptyClipboard();
  if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, text.size() + 1)) {
    std::memcpy(GlobalLock(memory), text.c_str(), text.size() + 1);
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_TEXT, memory)) GlobalFree(memory);
  }
  CloseClipboard();
}

bool getClipboardText(std::string& text) {
  if (!OpenClipboard(nullptr)) return false;
  bool found = false;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* chars = static_cast<const char*>(GlobalLock(data))) {
      text = chars;
      found = true;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return found;
}

void pasteIntoField(int field, std::string& buffer, std::size_t limit, bool compare) {
  std::string clipboard;
  if (!getClipboardText(clipboard) || clipboard.empty()) return;
  JoinedLines joined = joinClipboardLines(clipboard);
  if (joined.sourceChars + 2 >= limit) return;
  const std::string& line = joined.line;
  if (compare && (line == buffer || line == app.calculator.shown().text || line.find('=') != std::string::npos))
    return;
  if (compare && settings().clipvar) {
    // A new value pushes the earlier ones down through the variable fields.
    app.loadingEntry = true;
    setControlText(app.main, IDC_FIELD_V, controlText(app.main, IDC_FIELD_W, kVariableFieldLimit));
    setControlText(app.main, IDC_FIELD_W, controlText(app.main, IDC_FIELD_X, kVariableFieldLimit));
    setControlText(app.main, IDC_FIELD_X, controlText(app.main, IDC_FIELD_Y, kVariableFieldLimit));
    setControlText(app.main, IDC_FIELD_Y, buffer);
    app.loadingEntry = false;
  }
  buffer = line;
  setControlText(app.main, field, line);
}

std::string appendVariableLines(const std::string& output) {
  std::string text = output;
  for (const VariableField& v : kVariableFields)
    if (variableUsed(app.calculator.formula(), v.letter))
      text += std::string("\r\n") + v.letter + " = " + controlText(app.main, v.id, v.limit);
  return text;
}

void copyEquation() {
  // Sized by its content: the formula, the result and every variable used.
  const Calculator& calculator = app.calculator;
  setClipboardText(appendVariableLines(calculator.formula() + " = " + calculator.shown().text));
}
