// The calculator's formula files in qvx: a named entry ("[rent] 1200*12")
// is called up by its bracketed name, through the history store's own
// reader and lookup. The file is only read.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/history.h"

// Reads the file into entries (which it replaces). False, with a message
// that names the file, when it is missing or cannot be read.
bool loadFormulaFile(HistoryList& entries, const std::string& fileName, std::string& message);

// The named entries of the loaded file, in file order.
std::vector<std::string> namedFormulas(const HistoryList& entries);

// A formula (Windows-1252) with its named entries called up.
struct CalledUpFormula {
  std::string formula;
  // The variable parts of the stored lines ("; X = 3"), in the order the
  // calculator writes them into the fields.
  std::vector<std::pair<char, std::string>> assignments;
};
// A formula that is a bracketed name alone becomes that entry's formula, as
// in the calculator; a bracketed name inside a formula ("3*[rate]") becomes
// the entry's formula in round brackets. The title that opens a formula
// ("[rent] 1200*12", a name followed by an operand) and a name that no
// entry holds stay comments.
CalledUpFormula callUpNamedFormulas(HistoryList& entries, const std::string& formula);
