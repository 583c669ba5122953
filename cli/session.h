// qvx at a prompt: formulas, assignments "X = text" and commands, one a line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "cli/calculate.h"

// Handles one typed line; false when it ends the session ("quit", "exit").
bool handleTypedLine(QvxState& state, const std::string& line, std::ostream& out,
                     std::ostream& err);

// What "help" at the prompt shows (and qvx --help with it): the commands.
std::string promptHelpText();

// What Tab completes: the commands, function names, constants, variable
// letters and the bracketed names of the formula file.
std::vector<std::string> completionWords(const HistoryList& formulaFile);

// Prompts through the line editor until "quit", "exit" or the end of input.
// A message is an answer here, not a failure: the status is 0.
int runSession(QvxState& state, std::ostream& out, std::ostream& err);
