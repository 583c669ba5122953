#include "store/history.h"

#include <cstdio>

#include "engine/calc_settings.h"
#include "store/atomic_file.h"

HistoryList historyList;
std::string historyFileName = "HISTORY.TXT";

namespace {

std::vector<std::string> recallStack;

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

void addHistoryEntry(const std::string& text) {
  historyList.entries.push_back(text);
  if (text.find(kDefaultMark) == std::string::npos) return;
  // From the tenth character on: the text after a leading "[default]".
  std::string formula = text.size() > 9 ? text.substr(9) : std::string();
  if (!formula.empty() && formula[0] == ' ') formula.erase(0, 1);
  historyList.defaultFormula = formula;
}

bool findHistoryEntry(std::string& key, FindMode mode) {
  auto& entries = historyList.entries;
  for (auto it = entries.begin(); it != entries.end(); ++it) {
    if (it->find(key) == std::string::npos) continue;
    if (mode == FindMode::Copy) key = *it;
    else entries.erase(it);
    return true;
  }
  return false;
}

bool loadHistory(const std::string& fileName) {
  std::FILE* file = std::fopen(fileName.c_str(), "rb");
  if (file == nullptr) return false;
  std::string contents = readWholeFile(file);
  std::fclose(file);
  // Every line after the header is an entry, however long it is, so a long
  // formula comes back as the formula it was.
  std::size_t start = contents.find('\n');
  if (start == std::string::npos) return true;
  ++start;
  while (start < contents.size()) {
    std::size_t end = contents.find('\n', start);
    if (end == std::string::npos) end = contents.size();
    std::string line = contents.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    addHistoryEntry(line);
    start = end + 1;
  }
  return true;
}

bool saveHistory(const std::string& fileName) {
  std::string contents =
      calcSettings.language == Language::German ? kGermanHeader : kEnglishHeader;
  contents += "\r\n";
  const auto& entries = historyList.entries;
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

bool commitHistoryEntry(const std::string& text, bool lastRunFailed,
                        const std::string& assignments) {
  if (lastRunFailed && !isNamed(text)) return false;
  if (text.empty()) return false;
  std::size_t close = text.find(']');
  if (text.find('[') != std::string::npos && close != std::string::npos) {
    std::string key = text.substr(0, close + 1);
    findHistoryEntry(key, FindMode::Remove);
  }
  addHistoryEntry(text + assignments);
  return true;
}

std::vector<std::string> historyTexts(bool named) {
  std::vector<std::string> texts;
  for (const std::string& text : historyList.entries)
    if (named ? isNamed(text) : isFormula(text)) texts.push_back(text);
  return texts;
}

void pushRecall(const std::string& text) { recallStack.push_back(text); }

std::string popRecall() {
  if (recallStack.empty()) return std::string();
  std::string top = std::move(recallStack.back());
  recallStack.pop_back();
  return top;
}

bool recallStackEmpty() { return recallStack.empty(); }

const std::string& recallTop() {
  static const std::string empty;
  return recallStack.empty() ? empty : recallStack.back();
}

void clearRecallStack() { recallStack.clear(); }
