// A formula as a curve: its points, the scales and the strokes the window
// and qvx draw, and the runs at a trial value beside the calculator's own.
#include <algorithm>
#include <limits>

#include "graph/curve.h"
#include "graph/plot.h"
#include "test_support.h"

namespace {

using Values = std::vector<long double>;

std::vector<CurvePoint> curveOf(const Values& values, const std::vector<bool>& ok = {}) {
  std::vector<CurvePoint> curve;
  for (std::size_t i = 0; i < values.size(); ++i)
    curve.push_back({static_cast<long double>(i), ok.empty() || ok[i], values[i], "", {}});
  return curve;
}

TEST(GraphTest, PointsOfARange) {
  struct Row {
    Values points, want;
  } rows[] = {
      {evenPoints(-2, 3, 6), {-2, -1, 0, 1, 2, 3}},
      {evenPoints(0, 1, 1), {0}},
      {steppedPoints(0, 1, 0.25L), {0, 0.25L, 0.5L, 0.75L, 1}},
      {steppedPoints(0, 1.2L, 0.5L), {0, 0.5L, 1}},
      {steppedPoints(0, 1, 1e-9L), {}},  // more points than anyone asks for: none
  };
  for (const Row& row : rows) EXPECT_EQ(row.points, row.want) << row.want.size();
  Values pole = evenPoints(-249, 250, 500);
  EXPECT_TRUE(std::count(pole.begin(), pole.end(), 0.0L) == 1 && pole.back() == 250) << "0 is met, to is the last";
  EXPECT_EQ(steppedCount(0, 1, 0.1L), 11) << "a step landing on to within rounding counts";
  Values vast = evenPoints(-1e4931L, 1e4931L, 3);  // width times count would overflow
  EXPECT_EQ(vast[1], 0);
  EXPECT_FALSE(rangeWidthFinite(-1e4932L, 1e4932L));
  EXPECT_TRUE(rangeWidthFinite(-1e4931L, 1e4931L) && rangeWidthFinite(1e4932L, 1e4932L));
}

TEST(GraphTest, TicksAtRoundNumbers) {
  struct Row {
    long double low, high;
    Values ticks;
    const char* labels;
  } rows[] = {
      {0, 10, {0, 2, 4, 6, 8, 10}, "0 2 4 6 8 10"},
      {0, 40, {0, 10, 20, 30, 40}, "0 10 20 30 40"},
      {-1, 1, {-1, -0.5L, 0, 0.5L, 1}, "-1.0 -0.5 0.0 0.5 1.0"},
      {0.31L, 0.52L, {0.35L, 0.4L, 0.45L, 0.5L}, "0.35 0.40 0.45 0.50"},
      {-3e8L, 9e8L, {-2e8L, 0, 2e8L, 4e8L, 6e8L, 8e8L}, "-2e+08 0 2e+08 4e+08 6e+08 8e+08"},
      {5, 5, {}, ""},
  };
  for (const Row& row : rows) {
    Values ticks = roundTicks(row.low, row.high, 6);
    std::string labels;
    for (long double tick : ticks) labels += (labels.empty() ? "" : " ") + tickLabel(tick, ticks[1] - ticks[0]);
    ASSERT_EQ(ticks.size(), row.ticks.size()) << row.labels;
    for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_NEAR(ticks[i], row.ticks[i], 1e-12) << row.labels;
    EXPECT_EQ(labels, row.labels);
  }
  EXPECT_LE(roundTicks(1e20L, 1e20L + 1e5L, 6).size(), 24U) << "a range that is a rounding error of its values";
}

TEST(GraphTest, ValueRangeAndStrokes) {
  Values line, pole;
  for (int i = 0; i <= 100; ++i) line.push_back(i);
  for (long double x : evenPoints(-10, 10, 1000)) pole.push_back(1 / x);
  struct Row {
    const char* what;
    std::vector<CurvePoint> curve;
    long double low, high;  // the value range, within 1e-9
    std::size_t strokes;
  } rows[] = {
      {"all values, and 5% room", curveOf(line), -5, 105, 1},
      {"flat: around the value", curveOf({4, 4, 4}), 1.8L, 6.2L, 1},
      {"no value: a range all the same", curveOf({1, 2}, {false, false}), -1, 1, 0},
      {"a gap ends a stroke; a lone point is one", curveOf({1, 2, 3, 4, 5}, {true, false, true, false, true}), 0.8L, 5.2L,
       3},
      {"a steep rise within the area stays one", curveOf({0, 1, 2, 100, 101}), -5.05L, 106.05L, 1},
  };
  for (const Row& row : rows) {
    Plot plot = layOutPlot(row.curve, 0, 4, {0, 0, 100, 100});
    EXPECT_NEAR(plot.valueLow, row.low, 1e-9) << row.what;
    EXPECT_NEAR(plot.valueHigh, row.high, 1e-9) << row.what;
    EXPECT_EQ(plot.strokes.size(), row.strokes) << row.what;
  }
  // Near the pole of 1/X the tails leave the area; the rest keeps its shape.
  Plot plot = layOutPlot(curveOf(pole), -10, 10, {0, 0, 500, 300});
  EXPECT_TRUE(plot.valueLow < -1 && plot.valueLow > -50 && plot.valueHigh > 1 && plot.valueHigh < 50)
      << plot.valueLow << " " << plot.valueHigh;
  EXPECT_EQ(plot.strokes.size(), 2U) << "no line across the pole";
  EXPECT_EQ(plot.pixelOfValue(1e4932L), -300) << "held one height above";
  EXPECT_EQ(plot.pixelOfX(10), 500);
  EXPECT_EQ(plot.shareAtPixel(-20), 0) << "held within the area";
  EXPECT_TRUE(plot.xAxisInView() && plot.valueAxisInView());
}

// The trial value stands for the letter wherever it occurs, in other
// variables' texts too; the calculator's last run stays what the user saw.
TEST_F(EngineTest, RunsAtATrialValue) {
  calculator.setVariableText('Y', "X+1");
  calculator.setVariableText('X', "100");
  EXPECT_EQ(calc("2+3"), "5.0000");
  std::vector<CurvePoint> curve = sampleCurve(calculator, "Y*X", 'X', {-1, 2}, true);
  EXPECT_TRUE(curve[0].ok && curve[0].value == 0 && curve[0].shown == "0.0000");
  EXPECT_EQ(curve[1].shown, "6.0000");
  EXPECT_EQ(sampleCurve(calculator, "1/X", 'X', {0}, false)[0].message.id, Msg::DivisionByZero);
  EXPECT_TRUE(calculator.formula() == "2+3" && calculator.shown().text == "5.0000" && !calculator.failed());
  EXPECT_EQ(calc("X"), "100.0000") << "the field's own text again";
  EXPECT_EQ(calculator.value("X*2").value, 200) << "no letter: no trial value";
  std::string text;
  EXPECT_TRUE(calculator.format(0.25L, text) && text == "0.2500");
  EXPECT_FALSE(calculator.format(std::numeric_limits<long double>::quiet_NaN(), text));
}

}  // namespace
