#include "run/calculation_run.h"

#include <array>
#include <iterator>

#include "display/notations.h"
#include "engine/integer_mode.h"
#include "engine/run_status.h"
#include "engine/variables.h"

namespace {

std::array<std::string, kVariableLetters.size()> variableTexts;

std::string readVariableText(char letter, std::size_t maxChars) {
  std::size_t i = variableIndex(letter);
  return i < variableTexts.size() ? variableTexts[i].substr(0, maxChars) : std::string();
}

}  // namespace

RunResult runFormula(const std::string& formula) {
  runStatus.substitutionCount = 0;
  zUsedThisRun = false;
  clearCounters();
  entryText = formula;
  RunResult result;
  result.ok = evaluateEntry();
  if (result.ok) {
    formatResult(workFormula);
    result.ok = !hasError();
    result.value = lastResultValue;
  }
  result.shown = result.ok ? resultText : runStatus.errorText;
  buildStatusText();
  result.notes = statusText;
  result.zRead = zUsedThisRun;
  return result;
}

void setVariableText(char letter, const std::string& text) {
  std::size_t i = variableIndex(letter);
  if (i < variableTexts.size()) variableTexts[i] = text;
}

void clearVariableTexts() {
  for (std::string& text : variableTexts) text.clear();
}

void useVariableTexts() { variableAccess = {readVariableText, nullptr}; }
