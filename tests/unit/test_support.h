// Shared set-up: a calculator of its own for each test, one-call calculation
// ("!" and the message when it fails), and the "@" settings lines of the
// formula table.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "engine/fault_guard.h"
#include "run/calculator.h"
#include "text/codepage.h"

// One run as qvx does it, UTF-8 in and out; notes receives the integer notes.
inline std::string calc(Calculator& calculator, const std::string& formula, std::string* notes = nullptr) {
  RunResult run = calculator.run(utf8ToWindows1252(formula));
  if (notes) *notes = windows1252ToUtf8(calculator.notesText());
  return run.ok ? windows1252ToUtf8(run.shown) : "!" + windows1252ToUtf8(calculator.messageText());
}

// "@ notation=N precision=P integer=W unsigned german X=text ...": these
// settings on a calculator that has no others. Returns whether "notes" was
// among them.
inline bool applySettings(Calculator& calculator, const std::string& line) {
  CalcSettings& settings = calculator.settings();
  settings = CalcSettings{};
  calculator.clearVariableTexts();
  std::istringstream words(line.substr(line.find('@') + 1));
  bool notes = false;
  for (std::string word; words >> word;) {
    std::size_t eq = word.find('=');
    std::string key = word.substr(0, eq), value = eq == std::string::npos ? "" : word.substr(eq + 1);
    if (key == "notation") settings.outputNotation = static_cast<OutputNotation>(std::stoi(value));
    else if (key == "precision") settings.precision = std::stoi(value);
    else if (key == "integer") settings.integerWidth = std::stoi(value);
    else if (key == "unsigned") settings.signedIntegers = false;
    else if (key == "german") settings.language = Language::German;
    else if (key == "notes") notes = true;
    else if (key.size() == 1) calculator.setVariableText(key[0], value);
    else ADD_FAILURE() << "unknown setting " << word;
  }
  return notes;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { installFaultGuard(); }
  std::string calc(const std::string& formula) { return ::calc(calculator, formula); }
  CalcSettings& settings() { return calculator.settings(); }

  Calculator calculator;
};
