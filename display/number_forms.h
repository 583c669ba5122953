// The two printf forms every notation builds on.
#pragma once

#include <string>

// Conversion f: digits, and for precision > 0 a point and that many digits.
std::string fixedForm(long double x, int precision);
// Conversion e: one digit, point and digits, "e", sign, two or more digits.
std::string exponentForm(long double x, int precision);
// Replaces the first "." by ","; returns its position or npos.
std::size_t decimalPointToComma(std::string& text);
