// The text rules behind the calculator's editing buttons, apart from the
// window: the operator pressed twice, function wrapping, and splitting a
// stored formula into the formula and its variable assignments.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The entry after the operator button op was pressed while the entry ends
// with that operator: "1+2*" and "*" give "(1+2)*". Nothing otherwise.
std::optional<std::string> operatorPressedTwice(const std::string& entry, char op);

// The entry after a function button: name() for an empty entry, name( after
// an operator or "(", name(entry) otherwise; "1/" undoes its own reciprocal.
std::string wrapInFunction(const std::string& entry, const std::string& name);

// "A*X; X=2; Y = 5": the formula "A*X" and the assignments (Y, "5"), (X, "2")
// in the order they are found, last first. Letters are V, W, X, Y.
struct StoredFormula {
  std::string formula;
  std::vector<std::pair<char, std::string>> assignments;
};
StoredFormula splitStoredFormula(const std::string& text);

// The "; X=3" parts that "AC" appends for the variable fields that are not
// empty, given the texts of V, W, X and Y.
std::string variableAssignments(const std::string& v, const std::string& w, const std::string& x,
                                const std::string& y);
