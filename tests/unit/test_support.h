// Shared set-up of the engine tests: a clean state before each test and a
// one-call calculation that returns the result or "!" and the message.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/variables.h"
#include "run/calculation_run.h"
#include "engine/codepage.h"
#include "engine/fault_guard.h"
#include "engine/run_status.h"

inline void resetEngineState() {
  resetCalcSettings();
  clearVariableTexts();
  useVariableTexts();
  runStatus = RunStatus{};
  solverUnknownLetter = 0;
  installFaultGuard();
}

// One calculation run as qvx does it; UTF-8 in and out, "!" before a message.
inline std::string calc(const std::string& formula) {
  RunResult run = runFormula(utf8ToWindows1252(formula));
  return (run.ok ? "" : "!") + windows1252ToUtf8(run.shown);
}

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { resetEngineState(); }
};
