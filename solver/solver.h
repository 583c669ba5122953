// The equation solver: finds the value of one variable (V, W, X or Y) at
// which the main formula equals a wanted value, both ordinary formula texts.
#pragma once

#include <string>

struct Calculation;

// Solves formula = wanted for the unknown in calc.trial (its letter, and its
// text as the first try, which may be empty). Returns the solution when
// calc.message is empty afterwards.
long double solveForVariable(Calculation& calc, const std::string& formula, const std::string& wanted);

// Substitutes the variables of text for a solve: Z is always taken from its
// text, as a solve substitutes its texts many times over, with and without Z.
void substituteForSolve(Calculation& calc, std::string& text);

// The text a trial value is substituted as: every digit a long double holds.
std::string trialText(long double x);
