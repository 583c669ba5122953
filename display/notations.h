// Number display: the engine's result text shown in one of sixteen
// notations at a precision of 0 to 16, and back as re-enterable text.
#pragma once

#include <string>
#include <string_view>

#include "engine/calc_settings.h"

constexpr std::size_t kResultMaxChars = 299;

struct Calculation;

// A result as shown: its text in the notation and its value.
struct ShownNumber {
  std::string text;
  long double value = 0;
};

// Shows the wait cursor around the fraction search (null: none).
using WaitCursor = void (*)(bool on);

// The notation's label as the notation list shows it.
const char* notationLabel(OutputNotation notation);
// The notation with exactly this label; false when there is none.
bool notationFromLabel(std::string_view label, OutputNotation& notation);

// Reads the engine's result text (its minus markers turned back into "-",
// in place) and shows it in the calculation's notation and precision; false
// with the message in calc.message.
bool formatResult(Calculation& calc, std::string& engineText, ShownNumber& shown,
                  WaitCursor waitCursor = nullptr);

// A value shown as a result would be; false with the message in calc.message.
bool formatValue(Calculation& calc, long double x, ShownNumber& shown, WaitCursor waitCursor = nullptr);

// A shown result in a form the engine reads back as the same number.
std::string inputForm(const CalcSettings& settings, const ShownNumber& shown);

struct Fraction {
  long long whole;
  long long numerator;
  long long denominator;
};
// The fraction with the smallest denominator within 10^-p of |x|.
bool findFraction(long double x, int precision, Fraction& fraction);
