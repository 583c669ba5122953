#include "solver/solver.h"

#include <cmath>
#include <cstdio>

#include "engine/calculation.h"
#include "engine/driver.h"
#include "engine/fault_guard.h"
#include "engine/literals.h"
#include "engine/variables.h"

void substituteForSolve(Calculation& calc, std::string& text) { substituteVariables(calc, text, true); }

std::string trialText(long double x) {
  char text[64];
  std::snprintf(text, sizeof text, "%0.20Le", x);
  return text;
}

namespace {

constexpr int kRefineSteps = 500;
constexpr int kBisectionSteps = 700;

struct SolverPoint {
  long double wanted = 0;   // the wanted value's value at this trial
  long double formula = 0;  // the formula's value at this trial
  long double trial = 0;
  bool failed = false;      // the engine reported an error at this trial
  bool formulaZero = false; // in the reciprocal pass: the formula was 0 here
};

long double difference(const SolverPoint& p) { return p.formula - p.wanted; }

bool finite(long double v) { return std::isfinite(v); }

// True when formula - wanted is above 0 at one point and below at the other.
bool signChangeBetween(const SolverPoint& a, const SolverPoint& b) {
  if (a.failed || b.failed) return false;
  long double da = difference(a), db = difference(b);
  return (da > 0 && db < 0) || (da < 0 && db > 0);
}

// One solve: the three points of the search, the pass, and the trap state.
class Solver {
 public:
  Solver(Calculation& calc, const std::string& formula, const std::string& wanted)
      : calc_(calc), formula_(formula), wanted_(wanted) {
    maskTraps();
  }
  ~Solver() { unmaskTraps(); }
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  long double solve();

 private:
  // The solver's own arithmetic runs with the traps masked, so that an
  // overflow of a trial value (a first try of 1e4931 times 100) is a failed
  // search and never a fault; the engine's evaluations run unmasked, as in
  // every calculation.
  void maskTraps() {
    if (!masked_) savedTraps_ = maskFaultTraps();
    masked_ = true;
  }
  void unmaskTraps() {
    if (masked_) restoreFaultTraps(savedTraps_);
    masked_ = false;
  }

  bool evaluateText(const std::string& text, long double& value);
  bool takeValue(long double value, long double& target);
  void evaluateAt(SolverPoint& point, long double x);
  bool refineAround(long double factor);
  bool hits(const SolverPoint& p) const { return !p.failed && !calc_.failed() && p.formula == p.wanted; }
  // Close enough to the wanted value for the local search to polish.
  bool near(const SolverPoint& p, long double tolerance) const {
    return !p.failed && !calc_.failed() && std::fabs(difference(p)) < tolerance;
  }

  Calculation& calc_;
  const std::string& formula_;
  const std::string& wanted_;
  SolverPoint current_, upper_, lower_;
  int reciprocalPass_ = 0;  // 1: the comparisons work on 1/value
  unsigned savedTraps_ = 0;
  bool masked_ = false;
  std::string work_;
};

// One engine run over text with the trial value in place; false on an error.
bool Solver::evaluateText(const std::string& text, long double& value) {
  calc_.substitutionCount = 0;
  work_ = text;
  unmaskTraps();
  substituteForSolve(calc_, work_);
  // As in a calculation run: a substitution that never ends is reported as
  // such, not as the letter it left behind.
  if (substitutionRanAway(calc_)) calc_.fail(Msg::Recursion);
  bool ok = !calc_.failed() && evaluateFormula(calc_, work_, true);
  maskTraps();
  value = ok ? readEngineNumber(calc_, work_) : 0;
  return ok;
}

bool Solver::takeValue(long double value, long double& target) {
  if (reciprocalPass_ == 0) {
    target = value;
    return true;
  }
  if (value == 0) return calc_.fail(Msg::WantedImaginary);
  target = 1 / value;
  return true;
}

void Solver::evaluateAt(SolverPoint& point, long double x) {
  point.trial = x;
  calc_.trial.text = trialText(x);

  // A point where either text failed is never a solution, and never steers.
  point.failed = true;
  point.formulaZero = false;
  long double value = 0;
  bool wantedOk = evaluateText(wanted_, value);
  if (!takeValue(value, point.wanted)) return;
  bool formulaOk = evaluateText(formula_, value);
  if (!takeValue(value, point.formula)) {
    point.formulaZero = true;
    return;
  }
  point.failed = !wantedOk || !formulaOk;
}

// Local search around the current point's trial value, scaling by factor.
bool Solver::refineAround(long double factor) {
  int pass = reciprocalPass_;
  reciprocalPass_ = 0;
  struct Restore {
    int& target;
    int value;
    ~Restore() { target = value; }
  } restore{reciprocalPass_, pass};

  long double x = current_.trial;
  evaluateAt(current_, x);
  if (hits(current_)) return true;
  calc_.trial.used = false;
  if (x == 0 || !finite(x * factor) || !finite(x / factor)) return false;
  evaluateAt(upper_, x * factor);
  if (!calc_.trial.used) return false;
  evaluateAt(lower_, x / factor);

  // The bracket is narrowed until the trial value is right to the shown
  // precision: its tolerance follows the size of the trial value.
  long double magnitude = std::fabs(x);
  int e = static_cast<int>(std::trunc(std::log10(magnitude)));
  long double tolerance = 1 + std::pow(10.0L, -(calc_.settings.precision + e + 2));
  long double current = factor;
  for (int step = 0; step < kRefineSteps; ++step) {
    long double k = std::sqrt(static_cast<double>(current));
    long double trial = current_.trial;
    if (signChangeBetween(current_, upper_)) {
      lower_ = current_;
      evaluateAt(current_, trial * k);
    } else if (signChangeBetween(lower_, current_)) {
      upper_ = current_;
      evaluateAt(current_, trial / k);
    } else {
      return false;
    }
    // A step may land on the answer itself, where no sign change is left.
    if (hits(current_) || k <= tolerance) return true;
    current = k;
  }
  return false;
}

long double Solver::solve() {
  long double tolerance = std::pow(10.0L, -calc_.settings.precision);
  bool firstTry = !calc_.trial.text.empty();
  if (firstTry) {
    long double x = readEngineNumber(calc_, calc_.trial.text);
    if (finite(x)) {
      // A first try that misses only in the last bits (tan of 45 degrees) is
      // polished like a halving result; where polishing steps off, onto the
      // pole of tan at 90 degrees or across it, the first try is the answer.
      evaluateAt(current_, x);
      if (near(current_, tolerance)) {
        if (refineAround(2) && near(current_, tolerance)) return current_.trial;
        calc_.clearMessage();
        return x;
      }
      // A search that ends on a point the engine refused has found nothing.
      if (refineAround(100) && !calc_.failed()) return current_.trial;
    }
  }
  long double range = calc_.settings.outputNotation == OutputNotation::Scientific ? 1e40L : 1e10L;
  for (reciprocalPass_ = 0; reciprocalPass_ <= 1; ++reciprocalPass_) {
    evaluateAt(current_, 0);
    // A formula that is 0 at 0 has no reciprocal there: that ends this pass,
    // not the solve. A wanted value of 0 there is imaginary.
    if (current_.formulaZero) break;
    if (calc_.failed()) return 0;  // the formula's own message, or "imaginary"
    if (hits(current_)) return 0;
    evaluateAt(upper_, range);
    evaluateAt(lower_, -range);
    for (int step = 0; step < kBisectionSteps; ++step) {
      if (signChangeBetween(current_, upper_)) lower_ = current_;
      else if (signChangeBetween(lower_, current_)) upper_ = current_;
      else break;
      evaluateAt(current_, (lower_.trial + upper_.trial) * 0.5L);
      if (hits(current_)) return current_.trial;
      // Close enough to polish; when polishing fails the halving goes on,
      // so a small wanted value is not given up for an absolute tolerance.
      if (near(current_, tolerance)) {
        SolverPoint bracket[3] = {lower_, current_, upper_};
        if (refineAround(2) && !calc_.failed()) return current_.trial;
        lower_ = bracket[0];
        current_ = bracket[1];
        upper_ = bracket[2];
      }
    }
  }
  return calc_.fail(Message{firstTry ? Msg::NoValueFound : Msg::EnterFirstTry, calc_.trial.letter});
}

}  // namespace

long double solveForVariable(Calculation& calc, const std::string& formula, const std::string& wanted) {
  Solver solver(calc, formula, wanted);
  return solver.solve();
}
