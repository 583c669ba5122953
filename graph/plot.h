// Where a curve goes on a plot: the ranges shown, the ticks at round
// numbers and the strokes in pixels. The window draws it with GDI, qvx
// writes it as SVG; both lay it out here.
#pragma once

#include <string>
#include <vector>

#include "graph/curve.h"

// The rectangle the curve is drawn in, in pixels (y grows downwards).
struct PlotArea {
  double left = 0, top = 0, width = 0, height = 0;
  double right() const { return left + width; }
  double bottom() const { return top + height; }
};

struct PlotPoint {
  double x = 0, y = 0;
};

struct Tick {
  long double value = 0;
  double pixel = 0;  // x for the X axis, y for the value axis
  std::string label;
};

struct Plot {
  PlotArea area;
  long double xLow = 0, xHigh = 1;          // the range of X shown
  long double valueLow = 0, valueHigh = 1;  // the range of values shown
  std::vector<Tick> xTicks, valueTicks;
  // The curve's runs: a point without a value, or a jump across the whole
  // height (a pole), ends a stroke. Points beyond the area stay in the
  // stroke (held near it), for the renderer to clip.
  std::vector<std::vector<PlotPoint>> strokes;

  double pixelOfX(long double x) const;
  double pixelOfValue(long double value) const;  // held within a height of the area
  // How far across the area a pixel column lies, held within [0, 1].
  double shareAtPixel(double pixel) const;
  // The axes, X = 0 and value = 0: their pixel when in view.
  bool xAxisInView() const { return xLow < 0 && xHigh > 0; }
  bool valueAxisInView() const { return valueLow < 0 && valueHigh > 0; }
};

// The values a plot shows of a curve: all of them, unless a few run far
// away from the rest (near a pole), which then leave the area.
void fitValueRange(const std::vector<CurvePoint>& curve, long double& low, long double& high);

// Round numbers (1, 2 or 5 times a power of ten apart) from low to high,
// about `wanted` of them.
std::vector<long double> roundTicks(long double low, long double high, int wanted);
// A tick's label: as few digits as its spacing needs.
std::string tickLabel(long double value, long double spacing);

// Lays the curve (its points from xLow to xHigh) out in the area.
Plot layOutPlot(const std::vector<CurvePoint>& curve, long double xLow, long double xHigh, PlotArea area);
