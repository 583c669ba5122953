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

// True when every character may belong to a number; else "X is no digit".
bool checkOperandChars(std::string_view operand);

// Removes every "." but the last, so a point may separate thousands.
void removeExtraPoints(std::string& text);
