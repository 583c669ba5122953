// The arithmetic back end: extended precision, or the programmer window's
// integers of 1, 2 or 4 bytes with counters where results leave exact ones.
#pragma once

struct Calculation;

// Result of a op b: in extended precision, or with an integer width set,
// operands and result cut to that width and calc.notes updated.
long double operationResult(Calculation& calc, long double a, long double b, char op);

// a / b through operationResult, with the correction for a faulty divider.
long double checkedDivide(Calculation& calc, long double a, long double b);

// Division in extended precision, corrected when the calculation corrects a
// faulty divider.
long double extendedDivide(const Calculation& calc, long double a, long double b);

// Bitwise complement of x in the integer width (x unchanged without one).
long double integerComplement(const Calculation& calc, long double x);

// The self-test for a processor whose divider gives wrong quotients: true
// when this one does, so that calculations correct its quotients.
bool dividerIsFaulty();
