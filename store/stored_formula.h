// A stored formula line: the formula and the variable parts that "AC"
// appends to it ("A*X; X=2; Y=5"), as the history file keeps them and a
// formula file gives them back.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// "A*X; X=2; Y = 5": the formula "A*X" and the assignments (Y, "5"), (X, "2")
// in the order they are found, last first. Letters are V, W, X, Y.
struct StoredFormula {
  std::string formula;
  std::vector<std::pair<char, std::string>> assignments;
};
StoredFormula splitStoredFormula(const std::string& text);

// The "; X=3" parts that "AC" appends for the variables V, W, X and Y whose
// texts (textOf a letter) are not empty.
std::string variableAssignments(const std::function<std::string(char letter)>& textOf);
