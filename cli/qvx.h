// qvx: the calculator's engine on the command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs qvx on UTF-8 arguments (without the program name) and streams.
// Returns the exit status: 0 all formulas succeeded, 1 one failed, 2 bad options.
int runQvx(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err);
