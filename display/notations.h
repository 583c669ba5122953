// Number display: the engine's result text shown in one of sixteen
// notations at a precision of 0 to 16, and back as re-enterable text.
#pragma once

#include <string>
#include <string_view>

#include "engine/calc_settings.h"

constexpr std::size_t kResultMaxChars = 299;

extern std::string resultText;
extern std::string inputTextBuffer;
extern long double lastResultValue;

// Shows the wait cursor around the fraction search (may be null).
extern void (*showWaitCursor)(bool on);

// The notation's label as the notation list shows it.
const char* notationLabel(OutputNotation notation);
// The notation with exactly this label; false when there is none.
bool notationFromLabel(std::string_view label, OutputNotation& notation);

// Reads the engine's result text (its minus markers turned back into "-",
// in place) and writes resultText, or a message into errorText.
void formatResult(std::string& engineText);

// The current result in a form the engine reads back; false after an error.
bool resultAsInputText();

struct Fraction {
  long long whole;
  long long numerator;
  long long denominator;
};
// The fraction with the smallest denominator within 10^-p of |x|.
bool findFraction(long double x, int precision, Fraction& fraction);
