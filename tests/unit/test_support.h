// Shared set-up: a clean engine before each test, one-call calculation
// ("!" and the message when it fails), and the "@" settings lines of the
// formula table.
#pragma once

#include <gtest/gtest.h>

#include <sstream>

#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/codepage.h"
#include "engine/fault_guard.h"
#include "engine/run_status.h"
#include "engine/variables.h"
#include "run/calculation_run.h"

inline void resetEngineState() {
  resetCalcSettings();
  clearVariableTexts();
  useVariableTexts();
  runStatus = RunStatus{};
  solverUnknownLetter = 0;
  installFaultGuard();
}

// One run as qvx does it, UTF-8 in and out; notes receives the integer notes.
inline std::string calc(const std::string& formula, std::string* notes = nullptr) {
  RunResult run = runFormula(utf8ToWindows1252(formula));
  if (notes) *notes = windows1252ToUtf8(run.notes);
  return (run.ok ? "" : "!") + windows1252ToUtf8(run.shown);
}

// "@ notation=N precision=P integer=W unsigned german X=text ...":
// a clean state with these settings. Returns whether "notes" was among them.
inline bool applySettings(const std::string& line) {
  resetEngineState();
  std::istringstream words(line.substr(line.find('@') + 1));
  bool notes = false;
  for (std::string word; words >> word;) {
    std::size_t eq = word.find('=');
    std::string key = word.substr(0, eq), value = eq == std::string::npos ? "" : word.substr(eq + 1);
    if (key == "notation") calcSettings.outputNotation = static_cast<OutputNotation>(std::stoi(value));
    else if (key == "precision") calcSettings.precision = std::stoi(value);
    else if (key == "integer") calcSettings.integerWidth = std::stoi(value);
    else if (key == "unsigned") calcSettings.signedIntegers = false;
    else if (key == "german") calcSettings.language = Language::German;
    else if (key == "notes") notes = true;
    else if (key.size() == 1) setVariableText(key[0], value);
    else ADD_FAILURE() << "unknown setting " << word;
  }
  return notes;
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};
