#include "graph/curve.h"

#include <cmath>

#include "engine/fault_guard.h"
#include "run/calculator.h"

namespace {

// A step that lands on `to` within this share of itself still counts.
constexpr long double kStepSlack = 1e-9L;
// More points than any caller asks for: a range that would give more gives none.
constexpr long double kMostSteppedPoints = 1e7L;

}  // namespace

std::vector<long double> evenPoints(long double from, long double to, std::size_t count) {
  TrapsMasked masked;  // a range across the whole type is inf wide
  std::vector<long double> xs;
  xs.reserve(count);
  // Each point from the ends, never by adding steps up: no drift, and the
  // last point is `to` exactly.
  for (std::size_t i = 0; i < count; ++i)
    xs.push_back(count == 1 ? from : from + (to - from) * static_cast<long double>(i) / static_cast<long double>(count - 1));
  if (count > 1) xs.back() = to;
  return xs;
}

long double steppedCount(long double from, long double to, long double step) {
  TrapsMasked masked;
  return std::floor((to - from) / step + kStepSlack) + 1;
}

std::vector<long double> steppedPoints(long double from, long double to, long double step) {
  long double rows = steppedCount(from, to, step);
  if (!(rows >= 1 && rows <= kMostSteppedPoints)) return {};
  auto count = static_cast<std::size_t>(rows);
  TrapsMasked masked;
  std::vector<long double> xs;
  xs.reserve(count);
  for (std::size_t i = 0; i < count; ++i) xs.push_back(from + step * static_cast<long double>(i));
  return xs;
}

std::vector<CurvePoint> sampleCurve(Calculator& calculator, const std::string& formula, char letter,
                                    const std::vector<long double>& xs, bool shown) {
  std::vector<CurvePoint> curve;
  curve.reserve(xs.size());
  for (long double x : xs) {
    RunResult run = calculator.runAt(letter, x, formula, shown);
    curve.push_back({x, run.ok, run.value, std::move(run.shown), std::move(run.message)});
  }
  return curve;
}
