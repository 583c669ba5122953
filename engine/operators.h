// Term evaluation: a bracket-free formula text is reduced one binary
// operation at a time, by precedence, until one number text is left.
#pragma once

#include <string>

struct Calculation;

// Reduces a bracket-free text in place by repeated term steps. Returns false
// with calc.message set when a step fails (the text is then unchanged). A text
// without operators is left exactly as it is.
bool reduceTerms(Calculation& calc, std::string& text);

// Prints a value the way results travel between steps: "%0.20Le" with every
// minus sign written as the minus marker.
std::string printEngineNumber(Calculation& calc, long double value);
