#include "run/solve_request.h"

#include "display/number_forms.h"
#include "engine/calc_settings.h"
#include "engine/variables.h"
#include "engine/driver.h"
#include "engine/run_status.h"
#include "engine/texts.h"
#include "solver/solver.h"

bool solverRunning = false;

bool checkSolveRequest(char letter, const std::string& wanted) {
  bool zWasInFormula = zInFormula;
  solverUnknownLetter = letter;
  clearError();
  unknownLetterSeen = false;
  runStatus.substitutionCount = 0;
  // Substituting only notes whether the letter occurs, also in a variable
  // text that the formula pulls in; its result and errors are dropped.
  workFormula = entryText;
  substituteForSolve();
  wantedValueText = wanted;
  workFormula = wanted;
  substituteForSolve();
  if (substitutionRanAway()) {
    setError(pickText(Msg::Recursion));
  } else if (!unknownLetterSeen) {
    if (letter != 0) {
      setError(pickText(Msg::UnknownMissing));
      runStatus.errorText[0] = letter;
    }
  } else if (!hasError()) {
    evaluateFormula(workFormula, true);
  }
  zInFormula = zWasInFormula;
  return !hasError();
}

bool solveRequest(char letter, const std::string& wanted, const std::string& firstTry,
                  std::string& fieldText) {
  bool zWasInFormula = zInFormula;
  solverTrialText = firstTry;
  if (checkSolveRequest(letter, wanted)) {
    solverTrialText = firstTry;
    solverRunning = true;
    long double value = solveForVariable();
    solverRunning = false;
    if (!hasError()) {
      fieldText = fixedForm(value, calcSettings.precision);
      solverTrialText = fieldText;
    }
  }
  // Ordinary calculations read the variable from its field again, and Z as
  // they found it.
  solverUnknownLetter = 0;
  zInFormula = zWasInFormula;
  return !hasError();
}
