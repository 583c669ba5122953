// The arithmetic back end: extended precision, or the programmer window's
// integers of 1, 2 or 4 bytes with counters where results leave exact ones.
#pragma once

// Result of a op b: in extended precision, or with an integer width set,
// operands and result cut to that width and RunStatus's counters updated.
long double operationResult(long double a, long double b, char op);

// a / b through operationResult, with the correction for a faulty divider.
long double checkedDivide(long double a, long double b);

// Division in extended precision, corrected when the divider is faulty.
long double extendedDivide(long double a, long double b);

// Bitwise complement of x in the integer width (x unchanged without one).
long double integerComplement(long double x);

extern bool divisionFlawDetected;
// Sounds the asterisk beep when the flawed divider was corrected (may be null).
extern void (*divisionFlawBeep)();
void divisionSelfTest();
