#include "cli/formula_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "engine/char_classes.h"
#include "store/history.h"
#include "store/stored_formula.h"

namespace {

// Far more than any formula file holds (the calculator keeps 20 formulas
// and the named ones); a file beyond it is not one.
constexpr std::uintmax_t kMostFormulaFileBytes = 16 << 20;

// The file's contents, read once: a pipe ("<(...)") has nothing left for a
// second read. A device or folder is refused before reading, and a pipe that
// gives more than a formula file could hold is cut off with a message.
bool readFormulaFile(const std::string& fileName, std::string& contents, std::string& reason) {
  // A file that is not there, or cannot be looked at, is left to the open
  // below, which says why in the system's words.
  using std::filesystem::file_type;
  std::error_code error;
  auto type = std::filesystem::status(fileName, error).type();
  bool seen = !error && type != file_type::not_found && type != file_type::unknown;
  if (seen && type != file_type::regular && type != file_type::fifo) {
    reason = "not a regular file";
    return false;
  }
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr) {
    reason = std::strerror(errno);
    return false;
  }
  char block[4096];
  std::size_t got = 0;
  while (contents.size() <= kMostFormulaFileBytes && (got = std::fread(block, 1, sizeof block, file)) > 0)
    contents.append(block, got);
  bool failed = std::ferror(file) != 0;
  if (failed) reason = std::strerror(errno);
  std::fclose(file);
  if (contents.size() > kMostFormulaFileBytes) {
    reason = "larger than " + std::to_string(kMostFormulaFileBytes >> 20) + " MiB";
    return false;
  }
  return !failed;
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
  std::string contents, reason;
  entries = HistoryList{};
  if (!readFormulaFile(fileName, contents, reason)) {
    message = "cannot read formula file '" + fileName + "': " +
              (reason.empty() ? std::string("unreadable") : reason);
    return false;
  }
  addHistoryText(entries, contents);
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
