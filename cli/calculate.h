// One formula through the engine as qvx runs it, shared by the batch, the
// arguments and the prompt.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/options.h"
#include "run/calculator.h"
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

// Calculates (or, with a solve in the options, solves) one UTF-8 formula:
// the result to out, a message to err. Named entries are called up when a
// formula file was given.
bool calculateFormula(QvxState& state, const std::string& formula, std::ostream& out,
                      std::ostream& err);
