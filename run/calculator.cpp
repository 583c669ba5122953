#include "run/calculator.h"

#include "display/number_forms.h"
#include "engine/driver.h"
#include "solver/solver.h"

Calculator::Calculator() { readVariablesWith(nullptr, false); }

void Calculator::setVariableText(char letter, const std::string& text) {
  std::size_t i = variableIndex(letter);
  if (i < texts_.size()) texts_[i] = text;
}

const std::string& Calculator::variableText(char letter) const {
  std::size_t i = variableIndex(letter);
  return i < texts_.size() ? texts_[i] : noText_;
}

void Calculator::clearVariableTexts() {
  for (std::string& text : texts_) text.clear();
}

void Calculator::readVariablesWith(VariableReader reader, bool zFirstSightingStops) {
  if (!reader) {
    reader = [this](char letter, std::size_t maxChars) { return variableText(letter).substr(0, maxChars); };
  }
  calc_.readVariable = std::move(reader);
  calc_.zFirstSightingStops = zFirstSightingStops;
}

void Calculator::correctFaultyDivider(void (*onCorrected)()) {
  calc_.correctFaultyDivider = true;
  calc_.onQuotientCorrected = onCorrected;
}

RunResult Calculator::run(const std::string& formula) {
  calc_.clearMessage();
  calc_.substitutionCount = 0;
  calc_.notes = IntegerNotes{};
  calc_.zRead = calc_.zWanted = false;
  formula_ = formula;
  std::string work = formula;
  ShownNumber shown;
  RunResult result;
  result.ok = evaluateEntry(calc_, work, zInFormula_) &&
              formatResult(calc_, work, shown, waitCursor_);
  if (result.ok) {
    shown_ = shown;
    result.shown = std::move(shown.text);
    result.value = shown.value;
  }
  result.message = calc_.message;
  result.notes = notes_ = calc_.notes;
  result.zRead = zInFormula_ = calc_.zRead;
  result.zWanted = calc_.zWanted;
  return result;
}

bool Calculator::checkSolve(char letter, const std::string& formula, const std::string& wanted) {
  calc_.trial.letter = letter;
  calc_.trial.letterSeen = false;
  calc_.clearMessage();
  calc_.substitutionCount = 0;
  // Substituting only notes whether the letter occurs, also in a variable
  // text that the formula pulls in; its result and errors are dropped.
  std::string work = formula;
  substituteForSolve(calc_, work);
  work = wanted;
  substituteForSolve(calc_, work);
  if (substitutionRanAway(calc_)) {
    calc_.fail(Msg::Recursion);
  } else if (!calc_.trial.letterSeen) {
    if (letter != 0) calc_.fail(Message{Msg::UnknownMissing, letter});
  } else if (!calc_.failed()) {
    evaluateFormula(calc_, work, true);
  }
  return !calc_.failed();
}

bool Calculator::solve(char letter, const std::string& formula, const std::string& wanted,
                       const std::string& firstTry, std::string& fieldText) {
  calc_.trial.text = firstTry;
  if (checkSolve(letter, formula, wanted)) {
    solving_ = true;
    wanted_ = wanted;
    long double value = solveForVariable(calc_, formula, wanted);
    solving_ = false;
    if (!calc_.failed()) fieldText = fixedForm(value, calc_.settings.precision);
  }
  // Ordinary calculations read the variable from its field again.
  calc_.trial = SolveTrial{};
  return !calc_.failed();
}
