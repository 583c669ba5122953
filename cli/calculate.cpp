#include "cli/calculate.h"

#include <ostream>

#include "cli/formula_file.h"
#include "cli/json_answer.h"
#include "engine/variables.h"
#include "text/codepage.h"
#include "text/text_table.h"

namespace {

// What qvx says where the window's status line stays blank while the user
// types: nothing to calculate yet, or an operator with nothing after it.
enum class QvxText { EmptyFormula, FormulaIncomplete };
constexpr TextRow<QvxText> kQvxTexts[] = {
    {QvxText::EmptyFormula, "empty formula", "leere Formel"},
    {QvxText::FormulaIncomplete, "formula incomplete", "Formel unvollständig"},
};
static_assert(rowsInOrder(kQvxTexts), "rows in the order of QvxText");

std::string shownMessage(const Calculator& calculator) {
  return qvxMessageText(calculator.message(), calculator.settings().language);
}

const std::string& variableText(const QvxOptions& options, char letter) {
  return options.variables[variableIndex(letter)];
}

// The value for the unknown's field, as a solve button writes it.
bool solve(QvxState& state, const std::string& formula, std::string& shown) {
  const QvxOptions& options = state.options;
  return state.calculator.solve(options.solveLetter, formula, utf8ToWindows1252(options.wantedValue),
                                utf8ToWindows1252(variableText(options, options.solveLetter)), shown);
}

bool run(QvxState& state, const std::string& formula, std::string& shown, RunResult& result) {
  if (state.options.solveLetter != 0) return solve(state, formula, shown);
  result = state.calculator.run(formula);
  if (!result.ok) return false;
  shown = state.options.inputForm ? state.calculator.shownAsInput() : result.shown;
  return true;
}

// The answer as a program reads it back; the texts as the plain output has them.
JsonAnswer jsonAnswer(const Calculator& calculator, const std::string& formula, bool ok,
                      const std::string& shown, const RunResult& result) {
  JsonAnswer answer;
  answer.formula = formula;
  answer.ok = ok;
  if (ok) {
    answer.result = windows1252ToUtf8(shown);
    answer.value = jsonNumber(result.value);
  } else {
    answer.message = windows1252ToUtf8(shownMessage(calculator));
  }
  for (const std::string& note : integerNoteTexts(result.notes, calculator.settings().language))
    answer.notes.push_back(windows1252ToUtf8(note));
  return answer;
}

}  // namespace

std::string qvxMessageText(const Message& message, Language language) {
  if (message.id != Msg::Blank) return messageText(message, language);
  QvxText text = message.character == 0 ? QvxText::EmptyFormula : QvxText::FormulaIncomplete;
  return textOf(kQvxTexts, text, language);
}

std::string visible(const std::string& text) {
  std::string out;
  for (char c : text) {
    auto code = static_cast<unsigned char>(c);
    if (code < 0x20 || code == 0x7F) out += {'^', static_cast<char>(code ^ 0x40)};
    else out += c;
  }
  return out;
}

CalledUpFormula callUp(QvxState& state, const std::string& formula) {
  CalledUpFormula called;
  called.formula = utf8ToWindows1252(formula);
  if (state.options.formulaFile.empty()) return called;
  // The stored line's variable parts hold for this formula only.
  called = callUpNamedFormulas(state.formulaFile, called.formula);
  for (const auto& [letter, value] : called.assignments) state.calculator.setVariableText(letter, value);
  return called;
}

void restoreVariables(QvxState& state, const CalledUpFormula& called) {
  for (const auto& [letter, value] : called.assignments)
    state.calculator.setVariableText(letter, utf8ToWindows1252(variableText(state.options, letter)));
}

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
  Calculator& calculator = state.calculator;
  CalledUpFormula called = callUp(state, formula);
  std::string shown;
  RunResult result;
  bool ok = run(state, called.formula, shown, result);
  restoreVariables(state, called);
  if (state.options.json && state.options.solveLetter == 0) {
    out << jsonLine(jsonAnswer(calculator, formula, ok, shown, result)) << '\n';
    return ok;
  }
  if (!ok) {
    err << windows1252ToUtf8(shownMessage(calculator)) << '\n';
    return false;
  }
  out << windows1252ToUtf8(visible(shown)) << '\n';
  return true;
}
