#include "cli/over_range.h"

#include <string_view>
#include <vector>

#include "cli/calculate.h"
#include "engine/variables.h"
#include "graph/curve.h"
#include "run/calculator.h"
#include "text/codepage.h"

namespace {

std::vector<std::string> splitAtColons(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
    parts.push_back(text.substr(start, colon - start));
  parts.push_back(text.substr(start));
  return parts;
}

// A part of the range as a message quotes it: a long one cut short.
std::string shownPart(const std::string& text) {
  constexpr std::size_t kShown = 40;
  return text.size() <= kShown ? text : text.substr(0, kShown) + "...";
}

bool readBound(Calculator& calculator, const char* name, const std::string& text, long double& value,
               std::string& message) {
  RunResult run = calculator.value(utf8ToWindows1252(text));
  if (!run.ok) {
    message = std::string("--over: ") + name + " '" + shownPart(text) + "': " +
              windows1252ToUtf8(qvxMessageText(run.message, calculator.settings().language));
    return false;
  }
  value = run.value;
  return true;
}

}  // namespace

bool readOverRange(Calculator& calculator, const std::string& text, OverRange& range, std::string& message) {
  std::vector<std::string> parts = splitAtColons(text.size() > 2 ? text.substr(2) : "");
  bool formed = text.size() > 2 && text[1] == '=' && (parts.size() == 2 || parts.size() == 3);
  for (const std::string& part : parts) formed = formed && !part.empty();
  if (!formed) {
    message = "--over needs L=FROM:TO or L=FROM:TO:STEP, not '" + shownPart(text) + "'";
    return false;
  }
  range.letter = variableLetterOf(text[0]);
  if (kFormulaLetters.find(range.letter) == std::string_view::npos) {
    message = "--over: the variable must be V, W, X or Y, not '" + text.substr(0, 1) + "'";
    return false;
  }
  range.step = 0;
  if (!readBound(calculator, "FROM", parts[0], range.from, message) ||
      !readBound(calculator, "TO", parts[1], range.to, message) ||
      (parts.size() == 3 && !readBound(calculator, "STEP", parts[2], range.step, message)))
    return false;
  if (!(range.from < range.to)) {
    message = "--over: FROM (" + shownPart(parts[0]) + ") must be below TO (" + shownPart(parts[1]) + ")";
    return false;
  }
  if (!rangeWidthFinite(range.from, range.to)) {
    message = "--over: the range from " + shownPart(parts[0]) + " to " + shownPart(parts[1]) + " is too wide";
    return false;
  }
  if (parts.size() == 3 && !(range.step > 0)) {
    message = "--over: STEP (" + shownPart(parts[2]) + ") must be above 0";
    return false;
  }
  if (parts.size() == 3 && !(steppedCount(range.from, range.to, range.step) <= kMostRows)) {
    message = "--over: STEP (" + shownPart(parts[2]) + ") makes more than 100000 rows";
    return false;
  }
  return true;
}
