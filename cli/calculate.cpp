#include "cli/calculate.h"

#include <ostream>

#include "cli/formula_file.h"
#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/codepage.h"
#include "engine/run_status.h"
#include "engine/variables.h"
#include "run/calculation_run.h"
#include "run/solve_request.h"

namespace {

const std::string& variableText(const QvxOptions& options, char letter) {
  return options.variables[variableIndex(letter)];
}

// The value for the unknown's field, as a solve button writes it.
bool solve(const QvxOptions& options, std::string& shown) {
  return solveRequest(options.solveLetter, utf8ToWindows1252(options.wantedValue),
                      utf8ToWindows1252(variableText(options, options.solveLetter)), shown);
}

bool run(const std::string& formula, const QvxOptions& options, std::string& shown) {
  if (options.solveLetter != 0) {
    entryText = formula;
    return solve(options, shown);
  }
  RunResult result = runFormula(formula);
  if (!result.ok) return false;
  if (options.inputForm) resultAsInputText();
  shown = options.inputForm ? inputTextBuffer : result.shown;
  return true;
}

}  // namespace

void applyOptions(const QvxOptions& options) {
  resetCalcSettings();
  calcSettings.language = options.german ? Language::German : Language::English;
  calcSettings.angleInDegrees = !options.radians;
  calcSettings.outputNotation = options.notation;
  calcSettings.precision = options.precision;
  calcSettings.integerWidth = options.integerWidth;
  calcSettings.signedIntegers = !options.unsignedIntegers;
  useVariableTexts();
  for (char letter : kVariableLetters)
    setVariableText(letter, utf8ToWindows1252(variableText(options, letter)));
}

bool calculateFormula(const std::string& formula, const QvxOptions& options, std::ostream& out,
                      std::ostream& err) {
  std::string text = utf8ToWindows1252(formula);
  CalledUpFormula called;
  if (!options.formulaFile.empty()) {
    // The stored line's variable parts hold for this formula only.
    called = callUpNamedFormulas(text);
    text = called.formula;
    for (const auto& [letter, value] : called.assignments) setVariableText(letter, value);
  }
  std::string shown;
  bool ok = run(text, options, shown);
  for (const auto& [letter, value] : called.assignments)
    setVariableText(letter, utf8ToWindows1252(variableText(options, letter)));
  if (!ok) {
    err << windows1252ToUtf8(runStatus.errorText) << '\n';
    return false;
  }
  out << windows1252ToUtf8(shown) << '\n';
  return true;
}
