// The calculation run's portable half: variable substitution, the checks of
// the run, evaluation and formatting, and the integer status line. The
// window (or qvx, or a test) supplies the variable fields through FieldAccess.
#pragma once

#include <string>

// Field ids of the main window that the engine knows.
enum FieldId : int {
  kEntryField = 102,
  kResultField = 121,
  kFieldX = 141,
  kFieldY = 142,
  kFieldZ = 143,
  kFieldW = 156,
  kFieldV = 157,
  kStatusLine = 174,
};

constexpr std::size_t kEntryMaxChars = 7499;      // the entry field's text
constexpr std::size_t kVariableMaxChars = 5999;   // a variable field's text

// How the engine reads and writes the variable fields.
struct FieldAccess {
  // The field's text, at most maxChars characters.
  std::string (*readField)(int fieldId, std::size_t maxChars);
  // Writes a field (the run refreshes the Z field from savedZText).
  void (*writeField)(int fieldId, const std::string& text);
};

// Detached fields: five texts kept here, used by qvx and the tests. The
// window installs its own access.
extern FieldAccess fieldAccess;
extern const FieldAccess kDetachedFields;
void setDetachedField(char letter, const std::string& text);
void clearDetachedFields();

// The field id of a variable letter V..Z, or 0.
int variableFieldId(char letter);

extern std::string entryText;
extern std::string workFormula;
extern std::string statusText;
extern std::string savedZText;
extern bool zInFormula;
extern bool zUsedThisRun;
extern int solverUnknownField;
extern std::string solverTrialText;
extern bool solverTrialUsed;
extern char solverUnknownLetter;
extern bool unknownLetterSeen;

bool isIntegerOperatorChar(char c);
// Blanks comments, upper-cases variable letters; true when one occurs.
bool normalizeVariableLetters(std::string& text);
// Position of the first occurrence of letter in workFormula, or npos (also
// when that occurrence is the character of an ASCII literal).
std::size_t findVariable(char letter);
// Replaces the variable letters of workFormula by their fields' texts.
void substituteVariables();
// True when the substitutions counted since substitutionCount was last reset
// never came to an end ("! recursion").
bool substitutionRanAway();

// Substitutes, checks, evaluates and formats entryText. Returns true with
// resultText filled; false with the message in errorText.
bool calculateEntry();

// The integer counters as the programmer window's status line.
void buildStatusText();
