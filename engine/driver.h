// The engine's top: checks and cleans a formula as typed, resolves its
// brackets innermost first, applies functions and reduces the rest.
#pragma once

#include <string>
#include <string_view>

struct Calculation;

// The longest text the engine takes (the substituted formula's buffer).
constexpr std::size_t kFormulaMaxChars = 22499;
// The longest name of a function or constant it looks up.
constexpr std::size_t kNameMaxChars = 59;

// Evaluates text in place. full: a formula as typed (clean-up and checks);
// off: the content of a bracket. On success the text is the result text; on
// failure calc.message holds the message and the text is unchanged, or, after a
// bracket-count failure, the cleaned formula.
bool evaluateFormula(Calculation& calc, std::string& text, bool full);

// True when text holds an operator or bracket and its "(" and ")" balance;
// unbalanced brackets write ") missing" or "( missing".
bool checkBrackets(Calculation& calc, std::string_view text);
