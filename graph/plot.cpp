#include "graph/plot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// Shares of the sorted values that may lie outside the fitted range before
// they count as a pole's tail, and how far the range then reaches beyond
// the rest (in the rest's own heights).
constexpr double kTailShare = 0.02;
constexpr long double kTailReach = 0.5L;
constexpr long double kMargin = 0.05L;  // room above and below the curve
constexpr int kTicksWanted = 6;
// Values are held within this before any arithmetic on them: the engine's
// traps are armed while a plot is laid out, so no difference or sum of two
// values may overflow.
constexpr long double kLargestPlotted = 1e4900L;

long double held(long double value) { return std::clamp(value, -kLargestPlotted, kLargestPlotted); }

// (value - low) / (high - low), held within [-1, 2] (one height beyond the
// area either way), by steps that cannot overflow for any finite values.
long double shareOf(long double value, long double low, long double high) {
  long double part = value / 2 - low / 2, whole = high / 2 - low / 2;
  if (!(whole > 0)) return 0.5L;
  if (std::fabs(part) / 4 > whole) return part < 0 ? -1 : 2;
  return std::clamp(part / whole, -1.0L, 2.0L);
}

bool drawable(const CurvePoint& point) { return point.ok && std::isfinite(point.value); }

}  // namespace

void fitValueRange(const std::vector<CurvePoint>& curve, long double& low, long double& high) {
  std::vector<long double> values;
  for (const CurvePoint& point : curve)
    if (drawable(point)) values.push_back(held(point.value));
  if (values.empty()) {
    low = -1, high = 1;
    return;
  }
  std::sort(values.begin(), values.end());
  auto last = static_cast<double>(values.size() - 1);
  long double lowBulk = values[static_cast<std::size_t>(std::floor(kTailShare * last))];
  long double highBulk = values[static_cast<std::size_t>(std::ceil((1 - kTailShare) * last))];
  long double reach = (highBulk / 2 - lowBulk / 2) * (2 * kTailReach);
  // A flat curve gets a range around its value.
  if (reach == 0) reach = std::max(std::fabs(lowBulk) / 2, 1.0L);
  low = std::max(values.front(), lowBulk - reach);
  high = std::min(values.back(), highBulk + reach);
  if (low == high) low -= reach, high += reach;
  long double margin = (high - low) * kMargin;
  low -= margin, high += margin;
}

std::vector<long double> roundTicks(long double low, long double high, int wanted) {
  std::vector<long double> ticks;
  long double raw = (high / 2 - low / 2) / wanted * 2;
  if (!(raw > 0) || !std::isfinite(raw)) return ticks;
  long double magnitude = std::pow(10.0L, std::floor(std::log10(raw)));
  long double spacing = magnitude * 10;
  for (long double factor : {1.0L, 2.0L, 5.0L}) {
    if (raw <= factor * magnitude) {
      spacing = factor * magnitude;
      break;
    }
  }
  long double first = std::ceil(low / spacing);
  // Bounded: where the range is a rounding error of its values, adding one
  // no longer moves i.
  for (long double i = first; i * spacing <= high && ticks.size() <= 4 * static_cast<std::size_t>(wanted); ++i) {
    long double value = i * spacing;
    ticks.push_back(i == 0 ? 0 : value);  // zero exactly, never -0 or 1e-17
  }
  return ticks;
}

std::string tickLabel(long double value, long double spacing) {
  char text[48];
  long double largest = std::max(std::fabs(value), spacing);
  if (largest >= 1e7L || spacing < 1e-5L) {
    std::snprintf(text, sizeof text, "%.3Lg", value);
  } else {
    int decimals = spacing >= 1 ? 0 : static_cast<int>(std::ceil(-std::log10(spacing) - 1e-9L));
    std::snprintf(text, sizeof text, "%.*Lf", decimals, value);
  }
  return text;
}

double Plot::pixelOfX(long double x) const {
  return static_cast<double>(area.left + area.width * shareOf(x, xLow, xHigh));
}

double Plot::shareAtPixel(double pixel) const {
  return area.width > 0 ? std::clamp((pixel - area.left) / area.width, 0.0, 1.0) : 0;
}

double Plot::pixelOfValue(long double value) const {
  return static_cast<double>(area.bottom() - area.height * shareOf(value, valueLow, valueHigh));
}

Plot layOutPlot(const std::vector<CurvePoint>& curve, long double xLow, long double xHigh, PlotArea area) {
  Plot plot;
  plot.area = area;
  plot.xLow = xLow, plot.xHigh = xHigh;
  fitValueRange(curve, plot.valueLow, plot.valueHigh);
  auto addTicks = [](std::vector<Tick>& ticks, long double low, long double high, auto pixelOf) {
    std::vector<long double> values = roundTicks(low, high, kTicksWanted);
    long double spacing = values.size() > 1 ? values[1] - values[0] : high - low;
    for (long double value : values) ticks.push_back({value, pixelOf(value), tickLabel(value, spacing)});
  };
  addTicks(plot.xTicks, xLow, xHigh, [&](long double x) { return plot.pixelOfX(x); });
  addTicks(plot.valueTicks, plot.valueLow, plot.valueHigh, [&](long double v) { return plot.pixelOfValue(v); });

  std::vector<PlotPoint> stroke;
  auto endStroke = [&] {
    if (!stroke.empty()) plot.strokes.push_back(std::move(stroke));
    stroke.clear();
  };
  for (const CurvePoint& point : curve) {
    if (!drawable(point)) {
      endStroke();
      continue;
    }
    PlotPoint at{plot.pixelOfX(point.x), plot.pixelOfValue(point.value)};
    // From one column to the next across more than the whole height: the
    // curve jumps (a pole), it does not run there.
    if (!stroke.empty() && std::fabs(at.y - stroke.back().y) > area.height) endStroke();
    stroke.push_back(at);
  }
  endStroke();
  return plot;
}
