#include "run/calculator.h"

#include <cmath>
#include <utility>

#include "display/number_forms.h"
#include "engine/driver.h"
#include "engine/literals.h"
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

void Calculator::startRun() {
  calc_.clearMessage();
  calc_.substitutionCount = 0;
  calc_.notes = IntegerNotes{};
  calc_.zRead = calc_.zWanted = false;
}

RunResult Calculator::run(const std::string& formula) {
  startRun();
  calc_.trial = SolveTrial{};
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

RunResult Calculator::runAt(char letter, long double x, const std::string& formula, bool shown) {
  Message lastMessage = std::move(calc_.message);
  startRun();
  calc_.trial = SolveTrial{letter, trialText(x)};
  std::string work = formula;
  RunResult result;
  ShownNumber number;
  bool zKnown = true;
  if (evaluateEntry(calc_, work, zKnown)) {
    if (shown) {
      result.ok = formatResult(calc_, work, number, waitCursor_);
      result.shown = std::move(number.text);
      result.value = number.value;
    } else {
      result.value = readEngineNumber(calc_, work);
      result.ok = !calc_.failed();
    }
  }
  calc_.trial = SolveTrial{};
  result.message = std::exchange(calc_.message, std::move(lastMessage));
  result.notes = calc_.notes;
  result.zRead = calc_.zRead;
  return result;
}

bool Calculator::format(long double value, std::string& text) {
  calc_.clearMessage();
  ShownNumber number;
  if (!std::isfinite(value)) return calc_.fail(Msg::NumberTooBig);
  if (!formatValue(calc_, value, number, waitCursor_)) return false;
  text = std::move(number.text);
  return true;
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
