#include "engine/variables.h"


#include "engine/calc_settings.h"
#include "engine/char_classes.h"
#include "engine/driver.h"
#include "engine/run_status.h"
#include "engine/texts.h"

std::string entryText;
std::string workFormula;
std::string savedZText;
bool zInFormula = false;
bool zUsedThisRun = false;
std::string solverTrialText;
bool solverTrialUsed = false;
char solverUnknownLetter = 0;
bool unknownLetterSeen = false;

namespace {

// A round beyond this stops the substitution: at most 41 rounds are counted,
// so a formula that needs 41 substitutions or more is a recursion.
constexpr int kMaxSubstitutionRound = 40;

// An integer operator outside integer mode, not counting the character of
// an ASCII literal ("#a<" is the number 60).
bool holdsIntegerOperator(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (isIntegerOperatorChar(text[i]) && !isAsciiLiteralChar(text, i)) return true;
  return false;
}

}  // namespace

VariableAccess variableAccess = {[](char, std::size_t) { return std::string(); }, nullptr};

bool isIntegerOperatorChar(char c) { return hasCharClass(c, kIntegerOperatorClass); }

bool normalizeVariableLetters(std::string& text) {
  bool found = false;
  scanComments(text, [&](std::size_t i, Span span) {
    char& c = text[i];
    if (span == Span::Comment) c = ' ';
    if (span != Span::Formula) return;
    c = variableLetterOf(c);
    if (c >= 'V' && c <= 'Z') {
      found = true;
      if (c != 'Z' && c == solverUnknownLetter) unknownLetterSeen = true;
    }
  });
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
    char letter = 0;
    std::size_t pos = std::string::npos;
    for (char candidate : kSubstitutionOrder) {
      pos = findVariable(candidate);
      if (pos != std::string::npos) {
        letter = candidate;
        break;
      }
    }
    if (letter == 'Z') {
      zInFormula = zUsedThisRun = true;
      if (!zWasInFormula && variableAccess.fillZ != nullptr) {
        variableAccess.fillZ(savedZText);
        return;
      }
    }
    if (runStatus.substitutionCount++ > kMaxSubstitutionRound || letter == 0) return;

    std::string text;
    if (letter == solverUnknownLetter) {
      text = solverTrialText;
      solverTrialUsed = true;
    } else {
      text = variableAccess.read(letter, kVariableMaxChars);
    }
    if (text.empty()) {
      setError(pickText(Msg::VariableEmpty));
      runStatus.errorText[0] = letter;
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

bool evaluateEntry() {
  if (entryText.size() > kEntryMaxChars) {
    setError(pickText(Msg::FormulaTooLong));
    return false;
  }
  workFormula = entryText;
  solverUnknownLetter = 0;
  substituteVariables();
  if (calcSettings.integerWidth == 0 && holdsIntegerOperator(workFormula))
    setError(pickText(Msg::PressPrg));
  if (substitutionRanAway()) setError(pickText(Msg::Recursion));
  else if (!hasError()) evaluateFormula(workFormula, true);
  return !hasError();
}
