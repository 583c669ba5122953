// A formula as a curve over one variable: its values at a row of points,
// each calculated as a run of its own with the variable at that point.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/message.h"

class Calculator;

struct CurvePoint {
  long double x = 0;
  bool ok = false;
  long double value = 0;  // when ok
  std::string shown;      // the value in the notation in force, when asked for
  Message message;        // why there is no value, when not ok
};

// Whether to - from is a number: a range across most of the type is not.
bool rangeWidthFinite(long double from, long double to);
// count points from `from` to `to`, both ends included (one point: from).
std::vector<long double> evenPoints(long double from, long double to, std::size_t count);
// The points from, from + step, ... up to to (and to itself, when a step
// lands on it within rounding).
std::vector<long double> steppedPoints(long double from, long double to, long double step);
// How many points steppedPoints gives, without making them.
long double steppedCount(long double from, long double to, long double step);

// The formula's value at each x, with letter (V, W, X or Y) at that value.
// shown: also the text of each value, as a result is shown.
std::vector<CurvePoint> sampleCurve(Calculator& calculator, const std::string& formula, char letter,
                                    const std::vector<long double>& xs, bool shown);
