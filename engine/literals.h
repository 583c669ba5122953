// Reading number literals: decimal (with exponent and percent), and the
// based forms #h/$ (hexadecimal), #o (octal), #b (binary).
#pragma once

#include <string>
#include <string_view>

struct Calculation;

// Reads one literal; the text is rewritten in place (percent removed, "$"
// expanded, ":" removed), and calc.percentSeen says whether it ended in "%".
// On failure calc.message holds the message and the value (1) is meaningless.
long double readNumber(Calculation& calc, std::string& text);

// Tells the reader the value that a number text printed "%0.20Le" (with
// "-", not the minus marker) stands for. That text converts back to exactly
// the value printed (21 significant digits hold the 64-bit mantissa), so
// reading it again can skip the conversion, which the engine would otherwise
// do for every bracket's and every step's result.
void rememberPrintedNumber(Calculation& calc, const char* text, long double value);

// True when every character may belong to a number; else "X is no digit".
bool checkOperandChars(Calculation& calc, std::string_view operand);

// Removes every "." but the last, so a point may separate thousands.
void removeExtraPoints(std::string& text);

// Reads an engine result text: minus markers count as "-", a single based
// literal ("#hFF") is read as the engine reads it, no number gives 0.
long double readEngineNumber(Calculation& calc, const std::string& text);
