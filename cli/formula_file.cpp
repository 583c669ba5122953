#include "cli/formula_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "engine/char_classes.h"
#include "store/history.h"
#include "store/stored_formula.h"

namespace {

// The history store treats a file it cannot read as an empty list, as the
// calculator must; qvx was asked for this file and says why it has none.
bool readable(const std::string& fileName, std::string& reason) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
    return false;
  }
  char first;
  bool ok = std::fread(&first, 1, 1, file) == 1 || !std::ferror(file);
  if (!ok) reason = std::strerror(errno);
  std::fclose(file);
  return ok;
}

// The stored line of a bracketed name, split into formula and variable
// parts; false when no entry holds the name.
bool findNamed(HistoryList& entries, const std::string& name, StoredFormula& stored) {
  std::string key = name;
  if (!findHistoryEntry(entries, key, FindMode::Copy)) return false;
  stored = splitStoredFormula(key);
  return true;
}

// "[rent] 1200*12" is a formula with its title; "[rent]*2" uses the entry.
bool isTitle(const std::string& text, std::size_t close) {
  std::size_t next = text.find_first_not_of(' ', close + 1);
  return next != std::string::npos && !isOperatorChar(text, next);
}

void addAssignments(CalledUpFormula& called, const StoredFormula& stored) {
  called.assignments.insert(called.assignments.end(), stored.assignments.begin(),
                            stored.assignments.end());
}

}  // namespace

bool loadFormulaFile(HistoryList& entries, const std::string& fileName, std::string& message) {
  std::string reason;
  entries = HistoryList{};
  if (!readable(fileName, reason) || !loadHistory(entries, fileName)) {
    message = "cannot read formula file '" + fileName + "': " +
              (reason.empty() ? std::string("unreadable") : reason);
    return false;
  }
  return true;
}

std::vector<std::string> namedFormulas(const HistoryList& entries) { return historyTexts(entries, true); }

CalledUpFormula callUpNamedFormulas(HistoryList& entries, const std::string& formula) {
  CalledUpFormula called{formula, {}};
  StoredFormula stored;
  // The calculator's own rule: the name alone calls the entry up whole.
  if (!formula.empty() && formula[0] == '[' && formula.find(']') == formula.size() - 1) {
    if (findNamed(entries, formula, stored)) {
      called.formula = stored.formula;
      addAssignments(called, stored);
    }
    return called;
  }
  std::string& text = called.formula;
  // The replacement is not searched again, so an entry's own title stays a
  // comment inside its brackets.
  for (std::size_t open = text.find('['); open != std::string::npos;
       open = text.find('[', open + 1)) {
    std::size_t close = text.find(']', open);
    if (close == std::string::npos) break;
    if (isAsciiLiteralChar(text, open)) continue;  // "#a[" is the number 91
    if (open == 0 && isTitle(text, close)) {
      open = close;
      continue;
    }
    if (!findNamed(entries, text.substr(open, close + 1 - open), stored)) {
      open = close;
      continue;
    }
    std::string replacement = "(" + stored.formula + ")";
    text.replace(open, close + 1 - open, replacement);
    addAssignments(called, stored);
    open += replacement.size() - 1;
  }
  return called;
}
