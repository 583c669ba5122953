// A curve as an SVG drawing: a title line, the axes with their tick labels
// and the curve, with gaps where the formula has no value.
#pragma once

#include <string>

#include "graph/plot.h"

constexpr int kSvgWidth = 640, kSvgHeight = 420;
// Where the curve goes in the drawing: room for the title above and the
// tick labels to the left and below.
constexpr PlotArea kSvgPlotArea = {70, 40, 550, 330};

// title (UTF-8) is the formula.
std::string svgGraph(const Plot& plot, const std::string& title, char letter);
