#include "graph/curve.h"

#include <cmath>
#include <limits>

#include "run/calculator.h"

namespace {

// A step that lands on `to` within this share of itself still counts.
constexpr long double kStepSlack = 1e-9L;
// More points than any caller asks for: a range that would give more gives none.
constexpr long double kMostSteppedPoints = 1e7L;

}  // namespace

bool rangeWidthFinite(long double from, long double to) {
  // to - from overflows only when the two lie far apart on either side of
  // zero; asked without subtracting, as the engine's traps are armed here.
  return !(to > 0 && from < 0 && to > std::numeric_limits<long double>::max() + from);
}

std::vector<long double> evenPoints(long double from, long double to, std::size_t count) {
  std::vector<long double> xs;
  xs.reserve(count);
  // Each point from the ends, never by adding steps up: no drift, and the
  // last point is `to` exactly. Multiplied first, so that whole numbers
  // stay whole (0 is met exactly, a pole's gap shows); divided first where
  // the width is so large that the product would overflow.
  long double width = to - from, last = count > 1 ? static_cast<long double>(count - 1) : 1;
  bool vast = width > std::numeric_limits<long double>::max() / last;
  for (std::size_t i = 0; i < count; ++i) {
    auto step = static_cast<long double>(i);
    xs.push_back(from + (vast ? width * (step / last) : width * step / last));
  }
  if (count > 1) xs.back() = to;
  return xs;
}

long double steppedCount(long double from, long double to, long double step) {
  return std::floor((to - from) / step + kStepSlack) + 1;
}

std::vector<long double> steppedPoints(long double from, long double to, long double step) {
  long double rows = steppedCount(from, to, step);
  if (!(rows >= 1 && rows <= kMostSteppedPoints)) return {};
  auto count = static_cast<std::size_t>(rows);
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
