#include "solver/solver.h"

#include <cmath>
#include <cstdio>

#include "engine/calc_settings.h"
#include "engine/variables.h"
#include "engine/char_classes.h"
#include "engine/driver.h"
#include "engine/fault_guard.h"
#include "engine/literals.h"
#include "engine/run_status.h"
#include "engine/texts.h"

SolverPoint currentPoint, upperPoint, lowerPoint;
std::string wantedValueText;
int reciprocalPass = 0;

namespace {

constexpr int kRefineSteps = 500;
constexpr int kBisectionSteps = 700;

// The solver's own arithmetic runs with the traps masked, so that an
// overflow of a trial value (a first try of 1e4931 times 100) is a failed
// search and never a fault; the engine's evaluations run unmasked, as in
// every calculation.
struct TrapState {
  unsigned saved = 0;
  bool masked = false;
};
TrapState traps;

void maskTraps() {
  if (!traps.masked) traps.saved = maskFaultTraps();
  traps.masked = true;
}

void unmaskTraps() {
  if (traps.masked) restoreFaultTraps(traps.saved);
  traps.masked = false;
}

}  // namespace

void substituteForSolve() {
  // Z's first sighting in an ordinary run writes the Z field and stops
  // short; a solve substitutes its texts many times over, with and without
  // Z, and must take Z from its text every time.
  zInFormula = true;
  substituteVariables();
}

namespace {

// One engine run over text with the trial value in place; false on an error.
bool evaluateText(const std::string& text, long double& value) {
  runStatus.substitutionCount = 0;
  workFormula = text;
  unmaskTraps();
  substituteForSolve();
  // As in a calculation run: a substitution that never ends is reported as
  // such, not as the letter it left behind.
  if (substitutionRanAway()) setError(pickText(Msg::Recursion));
  bool ok = !hasError() && evaluateFormula(workFormula, true);
  maskTraps();
  value = ok ? readEngineNumber(workFormula) : 0;
  return ok;
}

// In the reciprocal pass the comparisons work on 1/value.
bool takeValue(long double value, long double& target) {
  if (reciprocalPass == 0) {
    target = value;
    return true;
  }
  if (value == 0) {
    setError(pickText(Msg::WantedImaginary));
    return false;
  }
  target = 1 / value;
  return true;
}

long double difference(const SolverPoint& p) { return p.formula - p.wanted; }

bool hits(const SolverPoint& p) { return !p.failed && !hasError() && p.formula == p.wanted; }

void writeLetter(std::string& message) {
  for (char& c : message)
    if (c == 'X') c = solverUnknownLetter;
}

bool finite(long double v) { return std::isfinite(v); }

// Close enough to the wanted value for the local search to polish.
bool near(const SolverPoint& p, long double tolerance) {
  return !p.failed && !hasError() && std::fabs(difference(p)) < tolerance;
}

}  // namespace


void evaluateAt(SolverPoint& point, long double x) {
  point.trial = x;
  char trial[64];
  std::snprintf(trial, sizeof trial, "%0.20Le", x);
  solverTrialText = trial;

  // A point where either text failed is never a solution, and never steers.
  point.failed = true;
  point.formulaZero = false;
  long double value = 0;
  bool wantedOk = evaluateText(wantedValueText, value);
  if (!takeValue(value, point.wanted)) return;
  bool formulaOk = evaluateText(entryText, value);
  if (!takeValue(value, point.formula)) {
    point.formulaZero = true;
    return;
  }
  point.failed = !wantedOk || !formulaOk;
}

bool signChangeBetween(const SolverPoint& a, const SolverPoint& b) {
  if (a.failed || b.failed) return false;
  long double da = difference(a), db = difference(b);
  return (da > 0 && db < 0) || (da < 0 && db > 0);
}

bool refineAround(long double factor) {
  int pass = reciprocalPass;
  reciprocalPass = 0;
  struct Restore {
    int& target;
    int value;
    ~Restore() { target = value; }
  } restore{reciprocalPass, pass};

  long double x = currentPoint.trial;
  evaluateAt(currentPoint, x);
  if (hits(currentPoint)) return true;
  solverTrialUsed = false;
  if (x == 0 || !finite(x * factor) || !finite(x / factor)) return false;
  evaluateAt(upperPoint, x * factor);
  if (!solverTrialUsed) return false;
  evaluateAt(lowerPoint, x / factor);

  // The bracket is narrowed until the trial value is right to the shown
  // precision: its tolerance follows the size of the trial value.
  long double magnitude = std::fabs(x);
  int e = static_cast<int>(std::trunc(std::log10(magnitude)));
  long double tolerance = 1 + std::pow(10.0L, -(calcSettings.precision + e + 2));
  long double current = factor;
  for (int step = 0; step < kRefineSteps; ++step) {
    long double k = std::sqrt(static_cast<double>(current));
    long double trial = currentPoint.trial;
    if (signChangeBetween(currentPoint, upperPoint)) {
      lowerPoint = currentPoint;
      evaluateAt(currentPoint, trial * k);
    } else if (signChangeBetween(lowerPoint, currentPoint)) {
      upperPoint = currentPoint;
      evaluateAt(currentPoint, trial / k);
    } else {
      return false;
    }
    // A step may land on the answer itself, where no sign change is left.
    if (hits(currentPoint) || k <= tolerance) return true;
    current = k;
  }
  return false;
}

long double solveForVariable() {
  maskTraps();
  struct Unmask {
    ~Unmask() { unmaskTraps(); }
  } unmaskAtEnd;

  long double tolerance = std::pow(10.0L, -calcSettings.precision);
  bool firstTry = !solverTrialText.empty();
  if (firstTry) {
    long double x = readEngineNumber(solverTrialText);
    if (finite(x)) {
      // A first try that misses only in the last bits (tan of 45 degrees) is
      // polished like a halving result; where polishing steps off, onto the
      // pole of tan at 90 degrees or across it, the first try is the answer.
      evaluateAt(currentPoint, x);
      if (near(currentPoint, tolerance)) {
        if (refineAround(2) && near(currentPoint, tolerance)) return currentPoint.trial;
        clearError();
        return x;
      }
      // A search that ends on a point the engine refused has found nothing.
      if (refineAround(100) && !hasError()) return currentPoint.trial;
    }
  }
  long double range = calcSettings.outputNotation == OutputNotation::Scientific ? 1e40L : 1e10L;
  for (reciprocalPass = 0; reciprocalPass <= 1; ++reciprocalPass) {
    evaluateAt(currentPoint, 0);
    // A formula that is 0 at 0 has no reciprocal there: that ends this pass,
    // not the solve. A wanted value of 0 there is imaginary.
    if (currentPoint.formulaZero) break;
    if (hasError()) return 0;  // the formula's own message, or "imaginary"
    if (hits(currentPoint)) return 0;
    evaluateAt(upperPoint, range);
    evaluateAt(lowerPoint, -range);
    for (int step = 0; step < kBisectionSteps; ++step) {
      if (signChangeBetween(currentPoint, upperPoint)) lowerPoint = currentPoint;
      else if (signChangeBetween(lowerPoint, currentPoint)) upperPoint = currentPoint;
      else break;
      evaluateAt(currentPoint, (lowerPoint.trial + upperPoint.trial) * 0.5L);
      if (hits(currentPoint)) return currentPoint.trial;
      // Close enough to polish; when polishing fails the halving goes on,
      // so a small wanted value is not given up for an absolute tolerance.
      if (near(currentPoint, tolerance)) {
        SolverPoint bracket[3] = {lowerPoint, currentPoint, upperPoint};
        if (refineAround(2) && !hasError()) return currentPoint.trial;
        lowerPoint = bracket[0];
        currentPoint = bracket[1];
        upperPoint = bracket[2];
      }
    }
  }
  reciprocalPass = 0;
  std::string message = pickText(firstTry ? Msg::NoValueFound : Msg::EnterFirstTry);
  writeLetter(message);
  setError(message.c_str());
  return 0;
}
