// Timings of the calculation run and the number display: a typical formula,
// the longest formulas a user can type, the fraction search that finds
// nothing, and each notation once.
#include <benchmark/benchmark.h>

#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/qvx.h"
#include "mixed_batch.h"

#include "display/notations.h"
#include "engine/calculation.h"
#include "engine/fault_guard.h"
#include "engine/operators.h"
#include "graph/curve.h"
#include "graph/plot.h"
#include "run/calculator.h"

namespace {

// The engine runs with its traps unmasked, as in the calculator; the
// benchmark library's own bookkeeping between benchmarks runs without them.
class EngineTraps {
 public:
  EngineTraps() { installFaultGuard(); }
  ~EngineTraps() { maskFaultTraps(); }
  EngineTraps(const EngineTraps&) = delete;
  EngineTraps& operator=(const EngineTraps&) = delete;
};

void benchmarkFormula(benchmark::State& state, const std::string& formula) {
  EngineTraps traps;
  Calculator calculator;
  if (!calculator.run(formula).ok) {
    state.SkipWithError(calculator.messageText().c_str());
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(calculator.run(formula).shown.data());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * formula.size()));
}

// As long as the entry field allows: four-character numbers and 1499
// operators. Every product or quotient has two factors near 5, so nothing
// grows and no divisor is zero.
std::string longFormula() {
  static constexpr char kOperators[] = "+*-/";
  std::string formula;
  for (int i = 0; formula.size() + 4 <= kEntryMaxChars; ++i) {
    if (i > 0) formula += kOperators[(i - 1) % 4];
    int digits = 101 + (i * 37) % 899;  // 1.01 .. 9.99
    formula += std::to_string(digits / 100) + '.' + std::to_string(digits % 100 / 10) +
               std::to_string(digits % 10);
  }
  return formula;
}

std::string nestedFormula(int pairs) {
  return std::string(pairs, '(') + "1+2" + std::string(pairs, ')');
}

void BM_TypicalFormula(benchmark::State& state) { benchmarkFormula(state, "2*(3+4)^2-sin(30)/7"); }
BENCHMARK(BM_TypicalFormula);

void BM_LongFormula(benchmark::State& state) { benchmarkFormula(state, longFormula()); }
BENCHMARK(BM_LongFormula)->Unit(benchmark::kMillisecond);

void BM_NestedBrackets(benchmark::State& state) {
  benchmarkFormula(state, nestedFormula(static_cast<int>(state.range(0))));
}
BENCHMARK(BM_NestedBrackets)->Arg(500)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond);

// Pi has no fraction within 10^-16 whose denominator the search tries, so
// it runs through all of them.
constexpr long double kPi = 3.14159265358979323846L;

void BM_FractionSearchNotFound(benchmark::State& state) {
  EngineTraps traps;
  Fraction fraction{};
  if (findFraction(kPi, 16, fraction)) {
    state.SkipWithError("pi has a fraction at precision 16");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(findFraction(kPi, 16, fraction));
}
BENCHMARK(BM_FractionSearchNotFound)->Unit(benchmark::kMillisecond);

// The same search as the user meets it: a result shown as a fraction.
void BM_FractionNotationNotFound(benchmark::State& state) {
  EngineTraps traps;
  Calculation calculation;
  calculation.settings.outputNotation = OutputNotation::FractionMixed;
  calculation.settings.precision = 16;
  const std::string engineText = printEngineNumber(calculation, kPi);
  ShownNumber shown;
  for (auto _ : state) {
    std::string text = engineText;
    calculation.clearMessage();
    benchmark::DoNotOptimize(formatResult(calculation, text, shown));
  }
}
BENCHMARK(BM_FractionNotationNotFound)->Unit(benchmark::kMillisecond);

// Each notation shows a typical value; the based ones and ASCII get one in
// their range.
void BM_Notation(benchmark::State& state) {
  EngineTraps traps;
  auto notation = static_cast<OutputNotation>(state.range(0));
  Calculation calculation;
  calculation.settings.outputNotation = notation;
  bool character = notation == OutputNotation::Ascii;
  const std::string engineText = printEngineNumber(calculation, character ? 65.0L : 1234.5678L);
  state.SetLabel(notationLabel(notation));
  ShownNumber shown;
  {
    std::string text = engineText;
    if (!formatResult(calculation, text, shown)) {
      state.SkipWithError(messageText(calculation.message, Language::English).c_str());
      return;
    }
  }
  for (auto _ : state) {
    std::string text = engineText;
    formatResult(calculation, text, shown);
    benchmark::DoNotOptimize(shown.text.data());
  }
}
BENCHMARK(BM_Notation)->DenseRange(0, kNotationCount - 1);

// A solve as the solve button runs it.
void benchmarkSolve(benchmark::State& state, const std::string& formula, const std::string& wanted,
                    const std::string& firstTry, bool succeeds) {
  EngineTraps traps;
  Calculator calculator;
  std::string field;
  if (calculator.solve('X', formula, wanted, firstTry, field) != succeeds) {
    state.SkipWithError(succeeds ? calculator.messageText().c_str() : "the solve was expected to fail");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(calculator.solve('X', formula, wanted, firstTry, field));
}

void BM_SolveTypical(benchmark::State& state) { benchmarkSolve(state, "X^2+3*X", "10", "", true); }
BENCHMARK(BM_SolveTypical)->Unit(benchmark::kMillisecond);

void BM_SolveWithFirstTry(benchmark::State& state) {
  benchmarkSolve(state, "X^2+3*X", "10", "1", true);
}
BENCHMARK(BM_SolveWithFirstTry)->Unit(benchmark::kMillisecond);

// int(7X)/7+1 jumps from 1+3/7 to 1+4/7 and never meets 1.5, also in the
// reciprocal pass, so both global passes halve their bracket for all 700
// steps and find nothing. The formula is padded to 100 characters.
void BM_SolveNothingFound(benchmark::State& state) {
  std::string formula = "int(X*7)/7+1+0*(1+2*3-4/5+6*7-8/9+1.5^2-3.25*4+sqrt(16)-ln(Eul)*2+abs(-3))";
  formula.resize(100, ' ');
  benchmarkSolve(state, formula, "1.5", "", false);
}
BENCHMARK(BM_SolveNothingFound)->Unit(benchmark::kMillisecond);

// Ten thousand mixed formulas through qvx's own loop, from a stream into a
// stream: reading, calculating, formatting and writing.
constexpr int kBatchSize = 10000;

void BM_MixedBatch(benchmark::State& state) {
  const std::string batch = mixedBatch(kBatchSize, BatchDialect::Qvx);
  for (auto _ : state) {
    std::istringstream in(batch);
    std::ostringstream out, err;
    if (runQvx({"-r"}, in, out, err) != 0) {
      state.SkipWithError(err.str().substr(0, 200).c_str());
      break;
    }
    benchmark::DoNotOptimize(out.str().data());
  }
  maskFaultTraps();
  state.SetItemsProcessed(state.iterations() * kBatchSize);
}
BENCHMARK(BM_MixedBatch)->Unit(benchmark::kMillisecond);

// What the graph window does for a redraw, but the drawing itself: one run a
// pixel column, then the scales and strokes. A frame is 16 ms.
void benchmarkGraph(benchmark::State& state, const std::string& formula) {
  EngineTraps traps;
  Calculator calculator;
  const auto columns = static_cast<std::size_t>(state.range(0));
  for (auto _ : state) {
    Plot plot = layOutPlot(sampleCurve(calculator, formula, 'X', evenPoints(-10, 10, columns), false), -10, 10,
                           {40, 10, static_cast<double>(columns), 300});
    benchmark::DoNotOptimize(plot.strokes.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
void BM_GraphRedrawTypical(benchmark::State& state) { benchmarkGraph(state, "2*(X+4)^2-sin(X*30)/7"); }
BENCHMARK(BM_GraphRedrawTypical)->Arg(1000)->Unit(benchmark::kMillisecond);
void BM_GraphRedrawPole(benchmark::State& state) { benchmarkGraph(state, "X^3/10-X+1/X"); }
BENCHMARK(BM_GraphRedrawPole)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace

// "--write-batch qvx|bc" prints the batch for timing the programs in a pipe
// (bench/pipe_timing.sh); anything else runs the benchmarks.
int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--write-batch") == 0) {
    bool bc = std::strcmp(argv[2], "bc") == 0;
    std::cout << mixedBatch(kBatchSize, bc ? BatchDialect::Bc : BatchDialect::Qvx);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
