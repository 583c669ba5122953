// The equation solver: finds the value of one variable (V, W, X or Y) at
// which the main formula equals a wanted value, both ordinary formula texts.
#pragma once

#include <string>

struct SolverPoint {
  long double wanted = 0;   // the wanted value's value at this trial
  long double formula = 0;  // the formula's value at this trial
  long double trial = 0;
  bool failed = false;      // the engine reported an error at this trial
  bool formulaZero = false; // in the reciprocal pass: the formula was 0 here
};

extern SolverPoint currentPoint, upperPoint, lowerPoint;
extern std::string wantedValueText;
extern int reciprocalPass;

// substituteVariables on workFormula, with Z always taken from its text.
void substituteForSolve();

// Fills point for trial value x: both texts evaluated with x for the unknown.
void evaluateAt(SolverPoint& point, long double x);

// True when formula - wanted is above 0 at one point and below at the other.
bool signChangeBetween(const SolverPoint& a, const SolverPoint& b);

// Local search around currentPoint's trial value, scaling by factor.
bool refineAround(long double factor);

// Solves with solverUnknownLetter, solverTrialText (the
// first try, may be empty) and wantedValueText set; entryText is the formula.
// errorText empty: the returned value is the solution.
long double solveForVariable();
