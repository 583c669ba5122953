// Reading number literals: decimal (with exponent and percent), and the
// based forms #h/$ (hexadecimal), #o (octal), #b (binary).
#pragma once

#include <string>
#include <string_view>

// Set by every readNumber call: the literal ended with "%".
extern bool percentSeen;

// Reads one literal; the text is rewritten in place (percent removed, "$"
// expanded, ":" removed). On failure errorText holds the message and the
// value (1) is meaningless.
long double readNumber(std::string& text);

// Tells the reader the value that a number text printed "%0.20Le" (with
// "-", not the minus marker) stands for. That text converts back to exactly
// the value printed (21 significant digits hold the 64-bit mantissa), so
// reading it again can skip the conversion, which the engine would otherwise
// do for every bracket's and every step's result.
void rememberPrintedNumber(const char* text, long double value);

// True when every character may belong to a number; else "X is no digit".
bool checkOperandChars(std::string_view operand);

// Removes every "." but the last, so a point may separate thousands.
void removeExtraPoints(std::string& text);

// Reads an engine result text: minus markers count as "-", a single based
// literal ("#hFF") is read as the engine reads it, no number gives 0.
long double readEngineNumber(const std::string& text);
