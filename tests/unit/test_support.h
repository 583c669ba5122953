// Shared set-up of the engine tests: a clean state before each test and a
// one-call calculation that returns the result or "!" and the message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/calculation.h"
#include "engine/codepage.h"
#include "engine/fault_guard.h"
#include "engine/run_status.h"

inline void resetEngineState() {
  resetCalcSettings();
  clearDetachedFields();
  fieldAccess = kDetachedFields;
  runStatus = RunStatus{};
  zInFormula = true;
  solverUnknownField = 0;
  solverUnknownLetter = 0;
  installFaultGuard();
}

// One calculation run as qvx does it; UTF-8 in and out.
inline std::string calc(const std::string& formula) {
  entryText = utf8ToWindows1252(formula);
  runStatus.substitutionCount = 0;
  clearCounters();
  zInFormula = true;
  if (!calculateEntry()) return "!" + windows1252ToUtf8(runStatus.errorText);
  return windows1252ToUtf8(resultText);
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};
