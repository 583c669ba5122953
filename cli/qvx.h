// qvx: the calculator's engine on the command line.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Runs qvx on UTF-8 arguments (without the program name) and streams.
// Returns the exit status: 0 all formulas succeeded, 1 one failed, 2 bad
// options or an unreadable formula file. With terminal set and no formula,
// qvx prompts through the line editor instead of reading in (and ends with 0).
int runQvx(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool terminal = false);
