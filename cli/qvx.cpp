#include "cli/qvx.h"

#include <cstdio>
#include <cstdlib>
#include <istream>
#include <ostream>

#include "cli/options.h"
#include "display/notations.h"
#include "engine/calc_settings.h"
#include "engine/calculation.h"
#include "engine/codepage.h"
#include "engine/fault_guard.h"
#include "engine/integer_mode.h"
#include "engine/run_status.h"
#include "solver/solve_request.h"

namespace {

[[noreturn]] void reportFatalFault() {
  std::fputs("qvx: floating-point fault outside a calculation step\n", stderr);
  std::fflush(stdout);
  std::exit(1);
}

void applyOptions(const QvxOptions& options) {
  resetCalcSettings();
  calcSettings.language = options.german ? Language::German : Language::English;
  calcSettings.angleInDegrees = !options.radians;
  calcSettings.outputNotation = options.notation;
  calcSettings.precision = options.precision;
  calcSettings.integerWidth = options.integerWidth;
  calcSettings.signedIntegers = !options.unsignedIntegers;
  fieldAccess = kDetachedFields;
  static constexpr char kLetters[] = "VWXYZ";
  for (int i = 0; i < 5; ++i)
    setDetachedField(kLetters[i], utf8ToWindows1252(options.variables[i]));
}

// The value for the unknown's field, as a solve button writes it.
bool solve(const QvxOptions& options, std::string& shown) {
  static constexpr char kLetters[] = "VWXYZ";
  const std::string& firstTry =
      options.variables[std::string(kLetters).find(options.solveLetter)];
  return solveRequest(options.solveLetter, utf8ToWindows1252(options.wantedValue),
                      utf8ToWindows1252(firstTry), shown);
}

// One calculation run (or solve); prints the result or the message.
bool calculate(const std::string& formula, const QvxOptions& options, std::ostream& out,
               std::ostream& err) {
  entryText = utf8ToWindows1252(formula);
  runStatus.substitutionCount = 0;
  clearCounters();
  // Every run substitutes Z from its field like the other variables.
  zInFormula = true;
  std::string shown;
  bool ok = false;
  if (options.solveLetter != 0) {
    ok = solve(options, shown);
  } else if ((ok = calculateEntry())) {
    if (options.inputForm) resultAsInputText();
    shown = options.inputForm ? inputTextBuffer : resultText;
  }
  if (!ok) {
    err << windows1252ToUtf8(runStatus.errorText) << '\n';
    return false;
  }
  out << windows1252ToUtf8(shown) << '\n';
  return true;
}

}  // namespace

int runQvx(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
  QvxOptions options;
  std::string message;
  switch (parseOptions(args, options, message)) {
    case ParseOutcome::Help: out << kHelpText; return 0;
    case ParseOutcome::Version: out << kVersionText << '\n'; return 0;
    case ParseOutcome::Error:
      err << "qvx: " << message << '\n' << kUsageLine << "\nTry 'qvx --help' for more.\n";
      return 2;
    case ParseOutcome::Run: break;
  }
  applyOptions(options);
  installFaultGuard();
  faultGuard.fatalExit = reportFatalFault;
  divisionSelfTest();

  bool allSucceeded = true;
  if (!options.formulas.empty()) {
    for (const std::string& formula : options.formulas)
      allSucceeded = calculate(formula, options, out, err) && allSucceeded;
  } else {
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      allSucceeded = calculate(line, options, out, err) && allSucceeded;
      out.flush();
    }
  }
  return allSucceeded ? 0 : 1;
}
