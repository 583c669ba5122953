// What a solve button does, without the window: the checks of the formula
// and the wanted value, then the solve, and the text for the variable field.
#pragma once

#include <string>

// Set while a solve runs (the fault report names the wanted value then).
extern bool solverRunning;

// The checks before a solve for letter (V, W, X or Y; 0 for none): the
// formula must use the letter, and the wanted value must evaluate. Leaves
// solverUnknownLetter set for the solve. False with the message in errorText;
// "! recursion" is the only message when letter is 0.
bool checkSolveRequest(char letter, const std::string& wanted);

// Solves entryText = wanted for letter (V, W, X or Y), starting from
// firstTry (the variable field's text; empty for none). On success returns
// true with fieldText, the value in the fixed form with `precision` digits;
// otherwise the message is in errorText.
bool solveRequest(char letter, const std::string& wanted, const std::string& firstTry,
                  std::string& fieldText);
