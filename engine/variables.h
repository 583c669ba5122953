// The variables V, W, X, Y and Z: substituting their texts into the formula
// in rounds, the checks of a run, and evaluating the entry. Whoever runs the
// engine (the window, qvx, a test) supplies the texts by letter, through the
// calculation's variable reader.
#pragma once

#include <string>
#include <string_view>

constexpr std::size_t kEntryMaxChars = 7499;      // the entry field's text
constexpr std::size_t kVariableMaxChars = 5999;   // a variable field's text

// The variables in the order of their fields: V, W, X and Y hold formulas
// of the user's, Z the clipboard.
inline constexpr std::string_view kVariableLetters = "VWXYZ";
inline constexpr std::string_view kFormulaLetters = kVariableLetters.substr(0, 4);
// The letters in the order a substitution round picks them.
inline constexpr std::string_view kSubstitutionOrder = "ZXYVW";

// A variable's letter in capitals ("x" is X); any other character as it is.
constexpr char variableLetterOf(char c) { return c >= 'v' && c <= 'z' ? static_cast<char>(c - 32) : c; }
// Where the letter, in either case, stands in kVariableLetters; npos for any other character.
constexpr std::size_t variableIndex(char c) { return kVariableLetters.find(variableLetterOf(c)); }

struct Calculation;

bool isIntegerOperatorChar(char c);
// Blanks comments, upper-cases variable letters; true when one occurs. Notes
// in calc.trial whether the unknown of a solve occurs.
bool normalizeVariableLetters(Calculation& calc, std::string& text);
// Replaces the variable letters of text by their texts, in rounds, and sets
// calc.zRead when Z occurs. zKnown: the last run's formula read Z (or a solve
// substitutes), so Z is read like the other letters; else, under the
// window's rule, Z's first sighting stops the substitution with calc.zWanted.
void substituteVariables(Calculation& calc, std::string& text, bool zKnown);
// True when the substitutions counted since calc.substitutionCount was last
// reset never came to an end ("! recursion").
bool substitutionRanAway(const Calculation& calc);

// Substitutes, checks and evaluates a formula as typed (with calc.trial's
// letter at its trial value, when one is set). Returns true with the
// number text in text; false with the message in calc.message.
bool evaluateEntry(Calculation& calc, std::string& text, bool zKnown);
