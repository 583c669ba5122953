// One formula through the engine as qvx runs it, shared by the batch, the
// arguments and the prompt.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "run/calculator.h"
#include "cli/formula_file.h"
#include "store/history.h"

// What qvx calculates with: the options in force, the calculator they are
// applied to, and the entries of the formula file (-f).
struct QvxState {
  QvxOptions options;
  Calculator calculator;
  HistoryList formulaFile;
};

// Puts the options into the calculator's settings and variable texts.
void applyOptions(QvxState& state);

// A message as qvx words it: where the window's status line stays blank,
// "empty formula" or "formula incomplete".
std::string qvxMessageText(const Message& message, Language language);
// A control character of the ASCII notation as "cat -v" shows it ("^J" for a
// line feed), so that every answer stays one line.
std::string visible(const std::string& text);

// The formula (UTF-8) as the engine takes it, its named entries called up
// and their variable parts set in the calculator until restoreVariables.
CalledUpFormula callUp(QvxState& state, const std::string& formula);
void restoreVariables(QvxState& state, const CalledUpFormula& called);

// Calculates (or, with a solve in the options, solves) one UTF-8 formula:
// the result to out, a message to err. Named entries are called up when a
// formula file was given.
bool calculateFormula(QvxState& state, const std::string& formula, std::ostream& out,
                      std::ostream& err);
