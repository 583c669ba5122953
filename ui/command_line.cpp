#include "ui/command_line.h"

#include <array>
#include <functional>

#include "display/notations.h"
#include "engine/calc_settings.h"

namespace {

struct Keyword {
  const char* word;
  void (*apply)(CalcSettings& settings);
};

// Exact, case-sensitive words, tested in this order.
const Keyword kKeywords[] = {
    {"deutsch", [](CalcSettings& s) { s.language = Language::German; }},
    {"DEUTSCH", [](CalcSettings& s) { s.language = Language::German; }},
    {"Deutsch", [](CalcSettings& s) { s.language = Language::German; }},
    {"maximized", [](CalcSettings& s) { s.minimizedThisRun = false; }},
    {"noautoclip", [](CalcSettings& s) { s.autoclip = false; }},
    {"iconized", [](CalcSettings& s) { s.minimizedThisRun = true; }},
    {"autoclip", [](CalcSettings& s) { s.autoclip = true; }},
    {"clipvar", [](CalcSettings& s) { s.clipvar = true; }},
    {"noclipvar", [](CalcSettings& s) { s.clipvar = false; }},
    {"small", [](CalcSettings& s) { s.bigLayout = false; }},
    {"big", [](CalcSettings& s) { s.bigLayout = true; }},
    {"degree", [](CalcSettings& s) { s.angleInDegrees = true; }},
    {"radial", [](CalcSettings& s) { s.angleInDegrees = false; }},
};

bool startsWith(const std::string& text, const char* prefix) {
  return text.rfind(prefix, 0) == 0;
}

bool namesFormulaFile(const std::string& argument) {
  for (const char* ending : {".TXT", ".txt", ".OMB", ".omb"})
    if (argument.find(ending) != std::string::npos) return true;
  return false;
}

// "0" to "9" are 0 to 9; "1" and a second character are 10 and that digit.
int precisionNumber(const std::string& argument) {
  int first = argument.empty() ? 0 : static_cast<unsigned char>(argument[0]);
  if (first == '1' && argument.size() > 1) return 10 + (static_cast<unsigned char>(argument[1]) - '0');
  return first - '0';
}

std::string refusal(const std::string& argument, Language language) {
  if (language == Language::German)
    return "fehlerhafter Quorvex Kommandozeilenparameter \"" + argument + "\"";
  return "Quorvex commandline parameter \"" + argument + "\" not O.K.";
}

}  // namespace

std::vector<std::string> splitCommandLine(const std::string& text) {
  std::vector<std::string> arguments;
  std::size_t i = 0, n = text.size();
  while (i < n) {
    if (text[i] == ' ') {
      ++i;
      continue;
    }
    std::string argument;
    char quote = text[i];
    if (quote == '"' || quote == '\'') {
      std::size_t close = text.find(quote, i + 1);
      argument = text.substr(i + 1, close == std::string::npos ? std::string::npos : close - i - 1);
      i = close == std::string::npos ? n : close + 1;
      while (i < n && text[i] != ' ') ++i;  // the rest of the word after the quote
    } else {
      std::size_t end = text.find(' ', i);
      if (end == std::string::npos) end = n;
      argument = text.substr(i, end - i);
      i = end;
    }
    arguments.push_back(argument);
  }
  return arguments;
}

std::optional<std::string> applyArgument(const std::string& argument, StartOptions& options,
                                         CalcSettings& settings) {
  for (const Keyword& keyword : kKeywords) {
    if (argument == keyword.word) {
      keyword.apply(settings);
      return std::nullopt;
    }
  }
  if (startsWith(argument, "input:")) {
    options.startFormula = argument.substr(6);
  } else if (startsWith(argument, "color:")) {
    options.colourText = argument.substr(6);
  } else if (argument.size() > 1 && argument[1] == ':') {
    // A drive letter: a file named this way is not taken, and not refused.
  } else if (namesFormulaFile(argument)) {
    options.historyFileName = argument;
  } else if (int precision = precisionNumber(argument); precision >= 0 && precision <= 16) {
    settings.startPrecision = precision;
  } else if (OutputNotation notation; notationFromLabel(argument, notation)) {
    settings.startNotation = notation;
  } else {
    return refusal(argument, settings.language);
  }
  return std::nullopt;
}

std::string templateName(const std::string& name, bool bigLayout) {
  std::string result = name;
  if (!result.empty()) result[0] = bigLayout ? 'B' : 'S';
  return result;
}
