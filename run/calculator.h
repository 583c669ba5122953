// One calculator: its settings, its variables, the engine's state, the last
// result shown and the last message. A formula runs from the caller's text
// to a RunResult through parameters; the window, qvx, the tests, the fuzzer
// and the benchmarks each keep their own calculator, and two calculators can
// run side by side on different threads.
#pragma once

#include <array>
#include <string>

#include "display/notations.h"
#include "engine/calculation.h"
#include "engine/variables.h"

struct RunResult {
  bool ok = false;
  std::string shown;      // the result in the notation in force, when ok
  long double value = 0;  // the result's value, when ok
  Message message;        // why there is no result (empty when ok)
  IntegerNotes notes;     // the integer mode's counters
  bool zRead = false;     // the formula read Z
  // Z's first sighting under the window's rule stopped the run: the window
  // fills the Z field and runs the formula again.
  bool zWanted = false;
};

class Calculator {
 public:
  Calculator();
  Calculator(const Calculator&) = delete;  // its variable reader points at it
  Calculator& operator=(const Calculator&) = delete;

  CalcSettings& settings() { return calc_.settings; }
  const CalcSettings& settings() const { return calc_.settings; }

  // The variables' texts kept here, by letter (V..Z; any other letter has
  // none); a run reads them
  // unless readVariablesWith gave it another reader.
  void setVariableText(char letter, const std::string& text);
  const std::string& variableText(char letter) const;
  void clearVariableTexts();
  // The window reads its fields, and applies its rule for Z.
  void readVariablesWith(VariableReader reader, bool zFirstSightingStops);

  // Corrects the quotients of a faulty divider, calling onCorrected each time.
  void correctFaultyDivider(void (*onCorrected)());
  void setWaitCursor(WaitCursor waitCursor) { waitCursor_ = waitCursor; }

  // Runs formula (Windows-1252) with the variables and the settings.
  RunResult run(const std::string& formula);

  // Runs formula with letter (V, W, X or Y; 0 for none) at the value x,
  // substituted as a solve's trial value is, and Z read from its text. The last run's
  // record (formula, result shown, message, notes) stays as it is: a graph's points
  // are calculations beside the run the user sees. The result's text is
  // made only when shown is true (result.shown stays empty otherwise).
  RunResult runAt(char letter, long double x, const std::string& formula, bool shown);
  // A formula's value as it stands, without its shown text (no fraction
  // search), the last run's record kept: a bound of a range, a line to draw.
  RunResult value(const std::string& formula) { return runAt(0, 0, formula, false); }
  // A value in the notation and precision in force; false with the message.
  bool format(long double value, std::string& text);

  // The checks before a solve for letter (V, W, X or Y; 0 for none): the
  // formula must use the letter, and the wanted value must evaluate. False
  // with the message; "! recursion" is the only message when letter is 0.
  bool checkSolve(char letter, const std::string& formula, const std::string& wanted);
  // Solves formula = wanted for letter, starting from firstTry (the
  // variable field's text; empty for none). On success fieldText is the
  // value in the fixed form with the precision's digits.
  bool solve(char letter, const std::string& formula, const std::string& wanted,
             const std::string& firstTry, std::string& fieldText);

  // What the last run, check or solve left.
  bool failed() const { return calc_.failed(); }
  const Message& message() const { return calc_.message; }
  std::string messageText() const { return ::messageText(calc_.message, calc_.settings.language); }
  void clearMessage() { calc_.clearMessage(); }
  // The formula of the last run, and its integer notes as the programmer
  // window shows them.
  const std::string& formula() const { return formula_; }
  std::string notesText() const { return integerNotesText(notes_, calc_.settings.language); }
  // The last result shown (kept when a later run fails), and that result in
  // a form the engine reads back.
  const ShownNumber& shown() const { return shown_; }
  std::string shownAsInput() const { return inputForm(calc_.settings, shown_); }
  // The last run's formula read Z.
  bool zInFormula() const { return zInFormula_; }
  // The wanted value while a solve runs, for the report of a fatal fault.
  bool solving() const { return solving_; }
  const std::string& wantedValue() const { return wanted_; }

 private:
  void startRun();

  Calculation calc_;
  std::array<std::string, kVariableLetters.size()> texts_;
  const std::string noText_;
  std::string formula_;
  ShownNumber shown_;
  IntegerNotes notes_;
  bool zInFormula_ = false;
  WaitCursor waitCursor_ = nullptr;
  bool solving_ = false;
  std::string wanted_;
};
