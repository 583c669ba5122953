#include "cli/calculate.h"

#include <ostream>

#include "cli/formula_file.h"
#include "engine/variables.h"
#include "text/codepage.h"

namespace {

const std::string& variableText(const QvxOptions& options, char letter) {
  return options.variables[variableIndex(letter)];
}

// The value for the unknown's field, as a solve button writes it.
bool solve(QvxState& state, const std::string& formula, std::string& shown) {
  const QvxOptions& options = state.options;
  return state.calculator.solve(options.solveLetter, formula, utf8ToWindows1252(options.wantedValue),
                                utf8ToWindows1252(variableText(options, options.solveLetter)), shown);
}

bool run(QvxState& state, const std::string& formula, std::string& shown) {
  if (state.options.solveLetter != 0) return solve(state, formula, shown);
  RunResult result = state.calculator.run(formula);
  if (!result.ok) return false;
  shown = state.options.inputForm ? state.calculator.shownAsInput() : result.shown;
  return true;
}

}  // namespace

void applyOptions(QvxState& state) {
  const QvxOptions& options = state.options;
  CalcSettings& settings = state.calculator.settings();
  settings = CalcSettings{};
  settings.language = options.german ? Language::German : Language::English;
  settings.angleInDegrees = !options.radians;
  settings.outputNotation = options.notation;
  settings.precision = options.precision;
  settings.integerWidth = options.integerWidth;
  settings.signedIntegers = !options.unsignedIntegers;
  for (char letter : kVariableLetters)
    state.calculator.setVariableText(letter, utf8ToWindows1252(variableText(options, letter)));
}

bool calculateFormula(QvxState& state, const std::string& formula, std::ostream& out,
                      std::ostream& err) {
  std::string text = utf8ToWindows1252(formula);
  Calculator& calculator = state.calculator;
  CalledUpFormula called;
  if (!state.options.formulaFile.empty()) {
    // The stored line's variable parts hold for this formula only.
    called = callUpNamedFormulas(state.formulaFile, text);
    text = called.formula;
    for (const auto& [letter, value] : called.assignments) calculator.setVariableText(letter, value);
  }
  std::string shown;
  bool ok = run(state, text, shown);
  for (const auto& [letter, value] : called.assignments)
    calculator.setVariableText(letter, utf8ToWindows1252(variableText(state.options, letter)));
  if (!ok) {
    err << windows1252ToUtf8(calculator.messageText()) << '\n';
    return false;
  }
  out << windows1252ToUtf8(shown) << '\n';
  return true;
}
