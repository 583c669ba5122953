#include "solver/solve_request.h"

#include "display/number_forms.h"
#include "engine/calc_settings.h"
#include "engine/calculation.h"
#include "engine/driver.h"
#include "engine/run_status.h"
#include "engine/texts.h"
#include "solver/solver.h"

bool solverRunning = false;

namespace {

// The formula must use the unknown, and the wanted value must evaluate.
void checkRequest(char letter, const std::string& wanted) {
  clearError();
  unknownLetterSeen = false;
  runStatus.substitutionCount = 0;
  // Substituting only notes whether the letter occurs, also in a variable
  // text that the formula pulls in; its result and errors are dropped.
  workFormula = entryText;
  substituteVariables();
  wantedValueText = wanted;
  workFormula = wanted;
  substituteVariables();
  if (substitutionRanAway()) {
    setError(pickText(Msg::Recursion));
  } else if (!unknownLetterSeen) {
    setError(pickText(Msg::UnknownMissing));
    runStatus.errorText[0] = letter;
  } else if (!hasError()) {
    evaluateFormula(workFormula, true);
  }
}

}  // namespace

bool solveRequest(char letter, const std::string& wanted, const std::string& firstTry,
                  std::string& fieldText) {
  solverUnknownField = variableFieldId(letter);
  solverUnknownLetter = letter;
  solverTrialText = firstTry;
  checkRequest(letter, wanted);
  if (!hasError()) {
    solverTrialText = firstTry;
    solverRunning = true;
    long double value = solveForVariable();
    solverRunning = false;
    if (!hasError()) {
      fieldText = fixedForm(value, calcSettings.precision);
      solverTrialText = fieldText;
    }
  }
  // Ordinary calculations read the variable from its field again.
  solverUnknownField = 0;
  return !hasError();
}
