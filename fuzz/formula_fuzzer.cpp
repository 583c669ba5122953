// Feeds arbitrary bytes through the whole calculation run: settings, variable
// fields, formula, engine, notation, and the result's re-enterable text back
// through the engine.
//
// Input layout:
//   byte 0   bits 0-3 notation, bit 4 radians, bit 5 German, bit 6 unsigned,
//            bit 7 solve for X (the Y field's text is the wanted value)
//   byte 1   bits 0-4 precision (modulo 17), bits 5-6 integer width 0/1/2/4
//   rest     the formula, then after each '\n' the next variable field's text
//            in the order X, Y, Z, V, W
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/fault_guard.h"
#include "engine/run_status.h"
#include "engine/variables.h"
#include "run/calculation_run.h"
#include "run/solve_request.h"

// The fault guard owns SIGFPE: the sanitizers must leave it alone.
extern "C" const char* __asan_default_options() { return "handle_sigfpe=0"; }
extern "C" const char* __ubsan_default_options() {
  return "handle_sigfpe=0:halt_on_error=1:print_stacktrace=1";
}

namespace {

constexpr char kFieldSeparator = '\n';
constexpr char kFieldLetters[] = "XYZVW";
constexpr int kIntegerWidths[] = {0, 1, 2, 4};

// A fault outside every guarded step is a bug of the engine: make it a crash
// the fuzzer records, with the stack, instead of the program's quiet exit.
[[noreturn]] void faultOutsideGuardedStep() {
  std::fputs("floating-point fault outside a guarded step\n", stderr);
  std::abort();
}

// The traps are unmasked only while the engine runs, so that the fuzzer's
// own arithmetic between inputs cannot fault.
unsigned engineTraps() {
  static const unsigned traps = [] {
    installFaultGuard();
    faultGuard.fatalExit = faultOutsideGuardedStep;
    return maskFaultTraps();
  }();
  return traps;
}

void applySettings(std::uint8_t first, std::uint8_t second) {
  resetCalcSettings();
  calcSettings.outputNotation = static_cast<OutputNotation>(first & 0x0F);
  calcSettings.angleInDegrees = (first & 0x10) == 0;
  calcSettings.language = (first & 0x20) ? Language::German : Language::English;
  calcSettings.signedIntegers = (first & 0x40) == 0;
  calcSettings.precision = (second & 0x1F) % 17;
  calcSettings.integerWidth = kIntegerWidths[(second >> 5) & 3];
}

// Splits the formula off and fills the variable texts from the rest. A solve
// takes Y's text as the wanted value and X's as the first try.
std::string wantedText, firstTryText;

std::string takeFormulaAndFields(std::string_view rest) {
  clearVariableTexts();
  useVariableTexts();
  wantedText.clear();
  firstTryText.clear();
  std::size_t end = rest.find(kFieldSeparator);
  std::string formula(rest.substr(0, end));
  for (const char* letter = kFieldLetters; *letter && end != std::string_view::npos; ++letter) {
    rest.remove_prefix(end + 1);
    end = rest.find(kFieldSeparator);
    std::string text(rest.substr(0, end));
    setVariableText(*letter, text);
    if (*letter == 'X') firstTryText = text;
    if (*letter == 'Y') wantedText = text;
  }
  return formula;
}

bool calculate(const std::string& formula) {
  bool ok = runFormula(formula).ok;
  // What a window shows has to fit where it is shown.
  if (std::memchr(runStatus.errorText, '\0', kErrorTextSize) == nullptr) std::abort();
  if (ok && resultText.size() > kResultMaxChars) std::abort();
  return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  unsigned traps = engineTraps();
  applySettings(data[0], data[1]);
  std::string formula =
      takeFormulaAndFields(std::string_view(reinterpret_cast<const char*>(data) + 2, size - 2));
  // Nothing of the previous input may carry over, or a crash would not
  // reproduce from its input alone.
  clearError();
  resultText.clear();
  inputTextBuffer.clear();
  lastResultValue = 0;

  restoreFaultTraps(traps);
  if (data[0] & 0x80) {
    entryText = formula;
    std::string field;
    solveRequest('X', wantedText, firstTryText, field);
    if (std::memchr(runStatus.errorText, '\0', kErrorTextSize) == nullptr) std::abort();
  } else if (calculate(formula) && resultAsInputText()) {
    if (inputTextBuffer.size() > kResultMaxChars) std::abort();
    std::string again = inputTextBuffer;
    calculate(again);
  }
  maskFaultTraps();
  return 0;
}
