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

// One calculation run; prints the result or the message.
bool calculate(const std::string& formula, const QvxOptions& options, std::ostream& out,
               std::ostream& err) {
  entryText = utf8ToWindows1252(formula);
  runStatus.substitutionCount = 0;
  clearCounters();
  // Every run substitutes Z from its field like the other variables.
  zInFormula = true;
  if (!calculateEntry()) {
    err << windows1252ToUtf8(runStatus.errorText) << '\n';
    return false;
  }
  if (options.inputForm) resultAsInputText();
  out << windows1252ToUtf8(options.inputForm ? inputTextBuffer : resultText) << '\n';
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
