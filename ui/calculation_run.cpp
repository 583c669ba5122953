// The window side of a calculation run: fields in, result, error line and
// status out.
#include "engine/texts.h"
#include "resource.h"
#include "ui/app.h"

namespace {

// While the calculator waits minimized for the clipboard, its title shows
// the result.
void showInTitle(const std::string& title) {
  if (app.minimizedAtStart && app.calculator.zInFormula()) SetWindowTextA(app.main, title.c_str());
}

// A formula that is only a bracketed name calls up the stored entry.
bool recallNamedEntry(const std::string& formula) {
  if (formula.empty() || formula[0] != '[' || formula.find(']') != formula.size() - 1) return false;
  std::string key = formula;
  if (!findHistoryEntry(app.history, key, FindMode::Copy)) return false;
  loadEntryText(key);
  pressKey(VK_HOME);
  return true;
}

}  // namespace

void runCalculation() {
  if (app.loadingEntry) return;
  if (app.undoPending) {
    app.recall.push(app.undoBuffer);
    app.undoPending = false;
  }
  std::string formula = controlText(app.main, IDC_ENTRY, kEntryMaxChars);
  if (recallNamedEntry(formula)) return;

  RunResult run = app.calculator.run(formula);
  if (run.zWanted && !app.savedZText.empty()) {
    // Z's first sighting: the Z field gets the text it last had, and the
    // formula runs again, now reading it.
    app.loadingEntry = true;
    setControlText(app.main, IDC_FIELD_Z, app.savedZText);
    app.loadingEntry = false;
    run = app.calculator.run(formula);
  }
  const CalcSettings& s = settings();
  std::string message = messageText(run.message, s.language);
  setControlText(app.main, IDC_RESULT, run.ok ? run.shown : "");
  setControlText(app.main, IDC_STATUS, run.ok ? "" : message);
  showInTitle(run.ok ? run.shown + " - Quorvex" : textFor(Msg::ErrorWord, s.language) + "- Quorvex");
  if (run.ok) {
    if (s.autoclip) setClipboardText(run.shown);
    app.snapshotTicks = 0;
  }
  if (!run.zRead && !app.savedZText.empty()) setControlText(app.main, IDC_FIELD_Z, "");
  for (HWND follower : {app.programmer, app.graph})
    if (follower) SendMessageA(follower, WM_USER_RUN_DONE, 0, 0);
}
