#include "store/history.h"

#include <cstdio>

#include "store/atomic_file.h"

namespace {

const char kDefaultMark[] = "[default]";

// The header line is part of the file format: formula files that users keep
// and other programs read carry these words exactly, with the older product
// name in them, so they stay as they are. The German header writes its "ä"
// as the DOS byte 0x84.
const char kEnglishHeader[] =
    "Ombrix last 20 formulas (History list). Do not change while Ombrix is running.";
const char kGermanHeader[] =
    "Ombrix 20 letzte Eintr\x84ge (History-Liste). Nicht \x84ndern wenn Ombrix l\x84uft.";

bool isNamed(const std::string& text) { return !text.empty() && text[0] == '['; }
bool isFormula(const std::string& text) { return !text.empty() && text[0] != '['; }

std::string readWholeFile(std::FILE* file) {
  std::string contents;
  char block[4096];
  std::size_t got;
  while ((got = std::fread(block, 1, sizeof block, file)) > 0) contents.append(block, got);
  return contents;
}

}  // namespace

void addHistoryEntry(HistoryList& history, const std::string& text) {
  history.entries.push_back(text);
  if (text.find(kDefaultMark) == std::string::npos) return;
  // From the tenth character on: the text after a leading "[default]".
  std::string formula = text.size() > 9 ? text.substr(9) : std::string();
  if (!formula.empty() && formula[0] == ' ') formula.erase(0, 1);
  history.defaultFormula = formula;
}

bool findHistoryEntry(HistoryList& history, std::string& key, FindMode mode) {
  auto& entries = history.entries;
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->find(key) == std::string::npos) continue;
    if (mode == FindMode::Copy) key = *it;
    else entries.erase(it);
    return true;
  }
  return false;
}

bool loadHistory(HistoryList& history, const std::string& fileName) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr) return false;
  std::string contents = readWholeFile(file);
  std::fclose(file);
  addHistoryText(history, contents);
  return true;
}

void addHistoryText(HistoryList& history, const std::string& contents) {
  // Every line after the header is an entry, however long it is, so a long
  // formula comes back as the formula it was.
  std::size_t start = contents.find('\n');
  if (start == std::string::npos) return;
  ++start;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    addHistoryEntry(history, line);
    start = end + 1;
  }
}

bool saveHistory(const HistoryList& history, const std::string& fileName, Language language) {
  std::string contents = language == Language::German ? kGermanHeader : kEnglishHeader;
  contents += "\r\n";
  const auto& entries = history.entries;
  for (const std::string& text : entries)
    if (isNamed(text)) contents += text + "\r\n";
  std::size_t formulas = 0;
  for (const std::string& text : entries) formulas += isFormula(text) ? 1 : 0;
  std::size_t skip = formulas > kKeptFormulas ? formulas - kKeptFormulas : 0;
  for (const std::string& text : entries) {
    if (!isFormula(text)) continue;
    if (skip > 0) --skip;
    else contents += text + "\r\n";
  }
  return replaceFileContents(fileName, contents) == WriteOutcome::Written;
}

bool commitHistoryEntry(HistoryList& history, const std::string& text, bool lastRunFailed,
                        const std::string& assignments) {
  if (lastRunFailed && !isNamed(text)) return false;
  if (text.empty()) return false;
  std::size_t close = text.find(']');
  if (text.find('[') != std::string::npos && close != std::string::npos) {
    std::string key = text.substr(0, close + 1);
    findHistoryEntry(history, key, FindMode::Remove);
  }
  addHistoryEntry(history, text + assignments);
  return true;
}

std::vector<std::string> historyTexts(const HistoryList& history, bool named) {
  std::vector<std::string> texts;
  for (const std::string& text : history.entries)
    if (named ? isNamed(text) : isFormula(text)) texts.push_back(text);
  return texts;
}

std::string RecallStack::pop() {
  if (texts_.empty()) return std::string();
  std::string top = std::move(texts_.back());
  texts_.pop_back();
  return top;
}
