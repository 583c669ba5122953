// --over L=FROM:TO[:STEP]: the range of a variable that qvx calculates a
// formula over, for its tables and its graph.
#pragma once

#include <string>

class Calculator;

struct OverRange {
  char letter = 'X';
  long double from = 0, to = 0, step = 0;  // step: 0 when not given
};

constexpr long double kMostRows = 100000;
constexpr int kGraphSamples = 500;
// The steps of a range without STEP.
constexpr int kDefaultSteps = 10;

// Reads the range; FROM, TO and STEP are formulas (UTF-8), calculated with
// the calculator's settings and variables. False with a message that says
// what is wrong.
bool readOverRange(Calculator& calculator, const std::string& text, OverRange& range, std::string& message);
