// One calculation run: a formula with its variables, through the engine, to
// the result shown in the notation in force. The window, qvx, the solve
// checks, the tests, the fuzzer and the benchmarks all run formulas here.
#pragma once

#include <string>

struct RunResult {
  bool ok = false;
  std::string shown;     // the result in the notation in force, or the message
  long double value = 0;  // the result's value, when ok
  std::string notes;     // the integer mode's notes ("var overflow, calc overflow")
  bool zRead = false;    // the formula read Z
};

// Runs formula (Windows-1252) with the variables as the engine's variable
// access reads them and the settings in force. The message, when there is
// one, also stays in errorText, the result in resultText, the notes in
// statusText.
RunResult runFormula(const std::string& formula);

// Variable texts kept here, by letter, for runs outside the window: Z is read
// like the other letters. useVariableTexts makes them the engine's.
void setVariableText(char letter, const std::string& text);
void clearVariableTexts();
void useVariableTexts();
