// The window side of a calculation run: fields in, result, error line and
// status out.
#include "engine/calc_settings.h"
#include "engine/texts.h"
#include "engine/variables.h"
#include "resource.h"
#include "run/calculation_run.h"
#include "store/history.h"
#include "ui/app.h"

namespace {

// While the calculator waits minimized for the clipboard, its title shows
// the result.
void showInTitle(const std::string& title) {
  if (app.minimizedAtStart && zInFormula) SetWindowTextA(app.main, title.c_str());
}

// A formula that is only a bracketed name calls up the stored entry.
bool recallNamedEntry(const std::string& formula) {
  if (formula.empty() || formula[0] != '[' || formula.find(']') != formula.size() - 1) return false;
  std::string key = formula;
  if (!findHistoryEntry(key, FindMode::Copy)) return false;
  loadEntryText(key);
  pressKey(VK_HOME);
  return true;
}

}  // namespace

void runCalculation() {
  if (app.loadingEntry) return;
  if (app.undoPending) {
    pushRecall(app.undoBuffer);
    app.undoPending = false;
  }
  std::string formula = controlText(app.main, IDC_ENTRY, kEntryMaxChars);
  if (recallNamedEntry(formula)) return;

  RunResult run = runFormula(formula);
  setControlText(app.main, IDC_RESULT, run.ok ? run.shown : "");
  setControlText(app.main, IDC_STATUS, run.ok ? "" : run.shown);
  showInTitle(run.ok ? run.shown + " - Quorvex" : std::string(pickText(Msg::ErrorWord)) + "- Quorvex");
  if (run.ok) {
    if (calcSettings.autoclip) setClipboardText(run.shown);
    app.snapshotTicks = 0;
  }
  if (!run.zRead && !savedZText.empty()) setControlText(app.main, IDC_FIELD_Z, "");
  if (app.programmer) SendMessageA(app.programmer, WM_USER_RUN_DONE, 0, 0);
}
