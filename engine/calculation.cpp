#include "engine/calculation.h"

#include <array>
#include <cstring>

#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/char_classes.h"
#include "engine/driver.h"
#include "engine/run_status.h"
#include "engine/texts.h"

std::string entryText;
std::string workFormula;
std::string statusText;
std::string savedZText;
bool zInFormula = false;
bool zUsedThisRun = false;
int solverUnknownField = 0;
std::string solverTrialText;
bool solverTrialUsed = false;
char solverUnknownLetter = 0;
bool unknownLetterSeen = false;

namespace {

struct Variable {
  char letter;
  int fieldId;
};
// In the order a substitution round picks them.
constexpr std::array<Variable, 5> kVariables = {{
    {'Z', kFieldZ}, {'X', kFieldX}, {'Y', kFieldY}, {'V', kFieldV}, {'W', kFieldW},
}};

// A round beyond this stops the substitution: at most 41 rounds are counted,
// so a formula that needs 41 substitutions or more is a recursion.
constexpr int kMaxSubstitutionRound = 40;

std::array<std::string, 5> detachedTexts;

std::size_t detachedIndex(int fieldId) {
  for (std::size_t i = 0; i < kVariables.size(); ++i)
    if (kVariables[i].fieldId == fieldId) return i;
  return kVariables.size();
}

std::string readDetached(int fieldId, std::size_t maxChars) {
  std::size_t i = detachedIndex(fieldId);
  return i < detachedTexts.size() ? detachedTexts[i].substr(0, maxChars) : std::string();
}

void writeDetached(int fieldId, const std::string& text) {
  std::size_t i = detachedIndex(fieldId);
  if (i < detachedTexts.size()) detachedTexts[i] = text;
}

// An integer operator outside integer mode, not counting the character of
// an ASCII literal ("#a<" is the number 60).
bool holdsIntegerOperator(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (isIntegerOperatorChar(text[i]) && !isAsciiLiteralChar(text, i)) return true;
  return false;
}

}  // namespace

const FieldAccess kDetachedFields = {readDetached, writeDetached};
FieldAccess fieldAccess = kDetachedFields;

void setDetachedField(char letter, const std::string& text) {
  writeDetached(variableFieldId(letter), text);
}

void clearDetachedFields() {
  for (std::string& text : detachedTexts) text.clear();
}

int variableFieldId(char letter) {
  for (const Variable& v : kVariables)
    if (v.letter == letter) return v.fieldId;
  return 0;
}

bool isIntegerOperatorChar(char c) { return hasCharClass(c, kIntegerOperatorClass); }

bool normalizeVariableLetters(std::string& text) {
  bool comment = false, found = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char& c = text[i];
    // "#a[" is the number 91, not the start of a comment.
    if (!comment && isAsciiLiteralChar(text, i)) continue;
    if (c == '[' || c == ']') {
      comment = c == '[';
      continue;
    }
    if (comment) {
      c = ' ';
      continue;
    }
    if (c >= 'v' && c <= 'z') c = static_cast<char>(c - 32);
    if (c >= 'V' && c <= 'Z') {
      found = true;
      if (c != 'Z' && c == solverUnknownLetter) unknownLetterSeen = true;
    }
  }
  return found;
}

std::size_t findVariable(char letter) {
  std::size_t pos = workFormula.find(letter);
  if (pos != std::string::npos && isAsciiLiteralChar(workFormula, pos)) return std::string::npos;
  return pos;
}

void substituteVariables() {
  bool anyVariable = normalizeVariableLetters(workFormula);
  clearError();
  bool zWasInFormula = zInFormula;
  zInFormula = false;
  if (!anyVariable) return;
  for (;;) {
    const Variable* variable = nullptr;
    std::size_t pos = std::string::npos;
    for (const Variable& v : kVariables) {
      pos = findVariable(v.letter);
      if (pos != std::string::npos) {
        variable = &v;
        break;
      }
    }
    if (variable != nullptr && variable->letter == 'Z') {
      zInFormula = zUsedThisRun = true;
      if (!zWasInFormula) {
        // Writing the field starts a run of its own (the window's change
        // notification), which substitutes Z; this one ends here.
        fieldAccess.writeField(kFieldZ, savedZText);
        return;
      }
    }
    if (runStatus.substitutionCount++ > kMaxSubstitutionRound || variable == nullptr) return;

    std::string text;
    if (variable->fieldId == solverUnknownField) {
      text = solverTrialText;
      solverTrialUsed = true;
    } else {
      text = fieldAccess.readField(variable->fieldId, kVariableMaxChars);
    }
    if (text.empty()) {
      setError(pickText(Msg::VariableEmpty));
      runStatus.errorText[0] = variable->letter;
      return;
    }
    normalizeVariableLetters(text);
    if (workFormula.size() + text.size() + 1 > kFormulaMaxChars) {
      setError(pickText(Msg::FormulaTooLong));
      return;
    }
    workFormula.replace(pos, 1, "(" + text + ")");
  }
}

bool substitutionRanAway() { return runStatus.substitutionCount > kMaxSubstitutionRound + 1; }

bool calculateEntry() {
  if (entryText.size() > kEntryMaxChars) {
    setError(pickText(Msg::FormulaTooLong));
    return false;
  }
  workFormula = entryText;
  solverUnknownLetter = 0;
  substituteVariables();
  if (calcSettings.integerWidth == 0 && holdsIntegerOperator(workFormula))
    setError(pickText(Msg::PressPrg));
  if (substitutionRanAway()) {
    setError(pickText(Msg::Recursion));
  } else if (!hasError() && evaluateFormula(workFormula, true)) {
    formatResult(workFormula);
  }
  return !hasError();
}

void buildStatusText() {
  struct Counter {
    const int* count;
    Msg text;
  };
  const Counter counters[] = {
      {&runStatus.varOverflowCount, Msg::VarOverflow},
      {&runStatus.varTruncateCount, Msg::VarTruncate},
      {&runStatus.calcOverflowCount, Msg::CalcOverflow},
      {&runStatus.calcUnderflowCount, Msg::CalcUnderflow},
  };
  statusText.clear();
  for (const Counter& counter : counters)
    if (*counter.count > 0) statusText += pickText(counter.text);
  if (statusText.size() > 2) statusText.resize(statusText.size() - 2);  // the last ", "
}
