// Feeds arbitrary bytes through a whole calculation run (settings, variable
// fields, formula, engine, notation) and the result's re-entered text, or a solve.
// Byte 0: bits 0-3 notation, 4 radians, 5 German, 6 unsigned, 7 solve for X
// (Y's text is the wanted value, X's the first try); byte 1: bits 0-4 precision
// (modulo 17), 5-6 integer width 0/1/2/4, 7 a graph over X (from X's text to
// Y's, laid out with the traps armed, as the window and qvx lay it out); then the formula and, after each
// '\n', the next variable field's text in the order X, Y, Z, V, W.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "engine/fault_guard.h"
#include "graph/curve.h"
#include "graph/plot.h"
#include "run/calculator.h"

// The fault guard owns SIGFPE: the sanitizers must leave it alone.
extern "C" const char* __asan_default_options() { return "handle_sigfpe=0"; }
extern "C" const char* __ubsan_default_options() { return "handle_sigfpe=0:halt_on_error=1:print_stacktrace=1"; }

namespace {

// What a window shows has to fit where it is shown.
void mustFit(bool fits) {
  if (!fits) std::abort();
}

bool calculate(Calculator& calculator, const std::string& formula) {
  RunResult run = calculator.run(formula);
  mustFit(run.ok ? run.shown.size() <= kResultMaxChars
                 : calculator.messageText().size() <= kMessageMaxChars);
  return run.ok;
}

// Every point of the plot lies near its area, whatever the values.
void drawGraph(Calculator& calculator, const std::string& formula, const std::string& from, const std::string& to) {
  RunResult low = calculator.run(from), high = calculator.run(to);
  if (!low.ok || !high.ok || !(low.value < high.value) || !rangeWidthFinite(low.value, high.value)) return;
  const PlotArea area{10, 10, 300, 200};
  Plot plot = layOutPlot(sampleCurve(calculator, formula, 'X', evenPoints(low.value, high.value, 40), true), low.value,
                         high.value, area);
  for (const auto& stroke : plot.strokes)
    for (const PlotPoint& p : stroke) mustFit(p.x >= 9 && p.x <= 311 && p.y >= -191 && p.y <= 411);
  for (const auto* ticks : {&plot.xTicks, &plot.valueTicks}) mustFit(ticks->size() <= 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A fault outside every guarded step is an engine bug: a crash the fuzzer
  // records, with its stack. The traps are unmasked only while the engine
  // runs, so that the fuzzer's own arithmetic cannot fault.
  static const unsigned traps = [] {
    installFaultGuard([] {
      std::fputs("floating-point fault outside a guarded step\n", stderr);
      std::abort();
    });
    return maskFaultTraps();
  }();
  if (size < 2) return 0;
  // A calculator of its own for each input: nothing carries over, so a
  // crash reproduces.
  Calculator calculator;
  CalcSettings& settings = calculator.settings();
  settings.outputNotation = static_cast<OutputNotation>(data[0] & 0x0F);
  settings.angleInDegrees = (data[0] & 0x10) == 0;
  settings.language = (data[0] & 0x20) ? Language::German : Language::English;
  settings.signedIntegers = (data[0] & 0x40) == 0;
  settings.precision = (data[1] & 0x1F) % 17;
  settings.integerWidth = ((data[1] >> 5) & 3) == 3 ? 4 : (data[1] >> 5) & 3;

  std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
  std::size_t end = rest.find('\n');
  std::string formula(rest.substr(0, end)), fields[5];
  for (int i = 0; i < 5 && end != std::string_view::npos; ++i) {
    rest.remove_prefix(end + 1);
    end = rest.find('\n');
    calculator.setVariableText("XYZVW"[i], fields[i] = std::string(rest.substr(0, end)));
  }

  restoreFaultTraps(traps);
  if (data[0] & 0x80) {
    std::string field;
    calculator.solve('X', formula, fields[1], fields[0], field);
    mustFit(calculator.messageText().size() <= kMessageMaxChars);
  } else if (data[1] & 0x80) {
    drawGraph(calculator, formula, fields[0], fields[1]);
  } else if (calculate(calculator, formula)) {
    std::string input = calculator.shownAsInput();
    mustFit(input.size() <= kResultMaxChars);
    calculate(calculator, input);
  }
  maskFaultTraps();
  return 0;
}
