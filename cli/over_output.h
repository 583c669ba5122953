// qvx --over: one formula over a range of a variable, as a table, CSV or
// JSON rows, and as an SVG graph.
#pragma once

#include <iosfwd>
#include <string>

#include "cli/calculate.h"
#include "cli/over_range.h"

// Writes what the options ask for; returns the exit status (0: a row has a
// result, 1: none has, 2: the graph could not be written).
int calculateOver(QvxState& state, const OverRange& range, const std::string& formula, std::ostream& out,
                  std::ostream& err);
