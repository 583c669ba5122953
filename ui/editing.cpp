// The editing operations: buttons type into the field that had the focus,
// as if the user had pressed the key.
#include "resource.h"
#include "ui/app.h"
#include "store/stored_formula.h"
#include "ui/edit_rules.h"
#include "ui/variable_fields.h"

namespace {

HWND targetWindow() {
  if (app.targetField == 0) return nullptr;
  if (app.targetField == IDC_WANTED_VALUE)
    return app.regression ? GetDlgItem(app.regression, IDC_WANTED_VALUE) : nullptr;
  return GetDlgItem(app.main, app.targetField);
}

void focusTarget() {
  if (HWND target = targetWindow()) SetFocus(target);
}

void writeEntry(const std::string& text) {
  setControlText(app.main, IDC_ENTRY, text.substr(0, kEntryFieldLimit));
}

}  // namespace

void insertText(const std::string& text, InsertKind kind) {
  if (kind == InsertKind::BinaryOperator && app.focusField == IDC_ENTRY && text.size() == 1) {
    std::string entry = controlText(app.main, IDC_ENTRY, kEntryMaxChars);
    if (auto bracketed = operatorPressedTwice(entry, text[0])) {
      writeEntry(*bracketed);
      pressKey(VK_END);
      focusTarget();
      return;
    }
  }
  HWND target = targetWindow();
  if (target == nullptr) return;
  for (char c : text) SendMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
  SetFocus(target);
}

void insertFunction(const std::string& name) {
  std::string text = wrapInFunction(controlText(app.main, IDC_ENTRY, kEntryMaxChars), name);
  writeEntry(text);
  pressKey(VK_END);
  if (text.size() >= 2 && text.compare(text.size() - 2, 2, "()") == 0) pressKey(VK_LEFT);
}

void pressKey(int key) {
  HWND target = targetWindow();
  if (target == nullptr) return;
  SetFocus(target);
  if (key == kBackspaceKey) SendMessageA(target, WM_CHAR, VK_BACK, 1);
  else SendMessageA(target, WM_KEYDOWN, static_cast<WPARAM>(key), 1);
}

void refocusTarget() {
  // With the regression window open the focus goes back to the field being
  // edited; otherwise it stays on the clicked button.
  if (app.regression) focusTarget();
}

void loadEntryText(const std::string& text) {
  // The whole stored line is split, however long: the variable parts stand
  // at its end and would be lost to a cut. The field cuts the formula.
  StoredFormula stored = splitStoredFormula(text);
  app.loadingEntry = true;
  for (const auto& [letter, value] : stored.assignments)
    setControlText(app.main, fieldOfVariable(letter), value);
  app.loadingEntry = false;
  writeEntry(stored.formula);
}
