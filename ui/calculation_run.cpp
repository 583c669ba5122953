// The window side of a calculation run: fields in, result, error line and
// status out.
#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/calculation.h"
#include "engine/run_status.h"
#include "engine/texts.h"
#include "resource.h"
#include "store/history.h"
#include "ui/app.h"

namespace {

// While the calculator waits minimized for the clipboard, its title shows
// the result.
void showInTitle(const std::string& title) {
  if (app.minimizedAtStart && zInFormula) SetWindowTextA(app.main, title.c_str());
}

// A formula that is only a bracketed name calls up the stored entry.
bool recallNamedEntry() {
  if (entryText.empty() || entryText[0] != '[' || entryText.find(']') != entryText.size() - 1)
    return false;
  std::string key = entryText;
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
  runStatus.substitutionCount = 0;
  zUsedThisRun = false;
  clearCounters();
  entryText = controlText(app.main, IDC_ENTRY, kEntryMaxChars);
  if (recallNamedEntry()) return;

  if (!calculateEntry()) {
    setControlText(app.main, IDC_RESULT, "");
    setControlText(app.main, IDC_STATUS, runStatus.errorText);
    showInTitle(std::string(pickText(Msg::ErrorWord)) + "- Quorvex");
  } else {
    setControlText(app.main, IDC_RESULT, resultText);
    setControlText(app.main, IDC_STATUS, "");
    showInTitle(resultText + " - Quorvex");
    if (calcSettings.autoclip) setClipboardText(resultText);
    app.snapshotTicks = 0;
  }
  if (!zUsedThisRun && !savedZText.empty()) setControlText(app.main, IDC_FIELD_Z, "");
  buildStatusText();
  if (app.programmer) SendMessageA(app.programmer, WM_USER_RUN_DONE, 0, 0);
}
