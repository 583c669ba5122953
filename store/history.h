// The history of formulas (with named entries such as "[rent] 1200*12") and
// its file, and the undo stack of the entry field.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct HistoryList {
  std::vector<std::string> entries;          // in insertion order, never reordered
  std::optional<std::string> defaultFormula;  // from the latest entry with "[default]"
};

#include "text/language.h"

// The history file's name when the command line names no formula file.
inline constexpr char kHistoryFileName[] = "HISTORY.TXT";

// Formulas kept in the file at exit, besides every named entry.
constexpr std::size_t kKeptFormulas = 20;

void addHistoryEntry(HistoryList& history, const std::string& text);

enum class FindMode { Copy, Remove };
// The first entry that contains key: Copy puts its whole text into key,
// Remove takes it out of the list.
bool findHistoryEntry(HistoryList& history, std::string& key, FindMode mode);

// Adds the file's entries (its first line is a header); false when it cannot be read.
bool loadHistory(HistoryList& history, const std::string& fileName);
// The same for a file's contents read elsewhere.
void addHistoryText(HistoryList& history, const std::string& contents);
// Writes the header in the language, every named entry, then the last 20
// formulas, with CR LF line ends. False when the file is unchanged.
bool saveHistory(const HistoryList& history, const std::string& fileName, Language language);

// The "AC" button: adds the entry field's text, followed by the variable
// assignments, unless the last run failed (named entries are added anyway)
// or the text is empty; a named entry replaces the older one of the same
// name. True when something was added.
bool commitHistoryEntry(HistoryList& history, const std::string& text, bool lastRunFailed,
                        const std::string& assignments = std::string());

// The texts the list box shows: the named entries, or the formulas.
std::vector<std::string> historyTexts(const HistoryList& history, bool named);

// The undo stack of entry-field texts.
class RecallStack {
 public:
  void push(const std::string& text) { texts_.push_back(text); }
  std::string pop();  // empty when the stack is empty
  bool empty() const { return texts_.empty(); }
  std::string top() const { return texts_.empty() ? std::string() : texts_.back(); }
  void clear() { texts_.clear(); }

 private:
  std::vector<std::string> texts_;
};
