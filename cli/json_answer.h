// qvx's answers for programs: one line of JSON per formula.
#pragma once

#include <optional>
#include <string>
#include <vector>

// One formula's answer, every text in UTF-8.

// A value as JSON gives it: nothing beyond a double's range.
std::optional<double> jsonNumber(long double value);

struct JsonAnswer {
  std::string formula;              // as given
  bool ok = false;
  std::optional<std::string> result;  // as the plain output shows it
  std::optional<double> value;        // absent where there is none, or beyond a double
  std::optional<std::string> message;
  std::vector<std::string> notes;     // the integer mode's notes
  // With --over: the variable's letter and its value in this row (written
  // after the formula).
  std::string variable;
  std::optional<double> variableValue;
};

// The answer as one line of JSON, without the line end. Bytes that are not
// UTF-8 (a formula read from a binary file) become U+FFFD.
std::string jsonLine(const JsonAnswer& answer);
