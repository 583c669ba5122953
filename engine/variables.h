// The variables V, W, X, Y and Z: substituting their texts into the formula
// in rounds, the checks of a run, and evaluating the entry. Whoever runs the
// engine (the window, qvx, a test) supplies the texts by letter.
#pragma once

#include <string>
#include <string_view>

constexpr std::size_t kEntryMaxChars = 7499;      // the entry field's text
constexpr std::size_t kVariableMaxChars = 5999;   // a variable field's text

// How the engine reads the variables' texts.
struct VariableAccess {
  // The text of letter (V..Z), at most maxChars characters.
  std::string (*read)(char letter, std::size_t maxChars);
  // The window's rule for Z: at its first sighting a run fills the Z field
  // with savedZText (that change starts a run of its own) and stops. Null
  // where Z is read like the other letters.
  void (*fillZ)(const std::string& text);
};
extern VariableAccess variableAccess;

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

extern std::string entryText;
extern std::string workFormula;
extern std::string savedZText;
extern bool zInFormula;    // the last run's formula read Z
extern bool zUsedThisRun;
// A solve: the unknown's letter (0 when none) and its trial value's text,
// which the substitution takes instead of the letter's own text.
extern char solverUnknownLetter;
extern std::string solverTrialText;
extern bool solverTrialUsed;
extern bool unknownLetterSeen;

bool isIntegerOperatorChar(char c);
// Blanks comments, upper-cases variable letters; true when one occurs.
bool normalizeVariableLetters(std::string& text);
// Position of the first occurrence of letter in workFormula, or npos (also
// when that occurrence is the character of an ASCII literal).
std::size_t findVariable(char letter);
// Replaces the variable letters of workFormula by their texts.
void substituteVariables();
// True when the substitutions counted since substitutionCount was last reset
// never came to an end ("! recursion").
bool substitutionRanAway();

// Substitutes, checks and evaluates entryText. Returns true with the number
// text in workFormula; false with the message in errorText.
bool evaluateEntry();
