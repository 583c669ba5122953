#include "cli/qvx.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <istream>
#include <ostream>

#include "cli/calculate.h"
#include "cli/formula_file.h"
#include "cli/options.h"
#include "cli/over_output.h"
#include "cli/over_range.h"
#include "cli/session.h"
#include "text/codepage.h"
#include "engine/fault_guard.h"
#include "engine/integer_mode.h"

namespace {

std::ostream* resultStream = nullptr;

[[noreturn]] void reportFatalFault() {
  if (resultStream != nullptr) resultStream->flush();
  std::fputs("qvx: floating-point fault outside a calculation step\n", stderr);
  std::fflush(stdout);
  std::exit(1);
}

int badUsage(std::ostream& err, const std::string& message) {
  err << "qvx: " << message << '\n' << kUsageLine << "\nTry 'qvx --help' for more.\n";
  return 2;
}

// One formula a line. The answers are flushed whenever the input has
// nothing more waiting, so a program that writes a line and waits for the
// answer gets it at once, and a batch is written in large blocks.
bool calculateLines(QvxState& state, std::istream& in, std::ostream& out, std::ostream& err) {
  bool allSucceeded = true;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    allSucceeded = calculateFormula(state, line, out, err) && allSucceeded;
    if (in.rdbuf()->in_avail() <= 0) out.flush();
    if (!out) break;  // nobody reads the answers any more
  }
  return allSucceeded;
}

std::string reason() { return errno != 0 ? std::string(": ") + std::strerror(errno) : std::string(); }

// Answers that could not be written, or input that could not be read, are a
// failure, never a silent success.
int checkedStatus(int status, std::istream& in, std::ostream& out, std::ostream& err) {
  out.flush();
  if (!out) {
    err << "qvx: cannot write the results" << reason() << '\n';
    return 2;
  }
  if (in.bad()) {
    err << "qvx: cannot read the formulas" << reason() << '\n';
    return 2;
  }
  return status;
}

int calculateAll(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                 std::ostream& err, bool terminal) {
  QvxState state;
  QvxOptions& options = state.options;
  std::string message;
  switch (parseOptions(args, options, message)) {
    case ParseOutcome::Help: out << helpText(); return 0;
    case ParseOutcome::Version: out << kVersionText << '\n'; return 0;
    case ParseOutcome::Error: return badUsage(err, message);
    case ParseOutcome::Run: break;
  }
  if (options.listNamed && options.formulaFile.empty())
    return badUsage(err, "--list needs a formula file (-f FILE)");
  if ((options.table || options.csv || !options.graphFile.empty()) && options.overRange.empty())
    return badUsage(err, "--table, --csv and --graph need a range (--over L=FROM:TO)");
  if (!options.overRange.empty() && (options.formulas.size() != 1 || options.solveLetter != 0))
    return badUsage(err, "--over needs one FORMULA, and no --solve");
  if (!options.formulaFile.empty() && !loadFormulaFile(state.formulaFile, options.formulaFile, message)) {
    err << "qvx: " << message << '\n';
    return 2;
  }
  if (options.listNamed) {
    for (const std::string& entry : namedFormulas(state.formulaFile)) out << windows1252ToUtf8(entry) << '\n';
    if (options.formulas.empty()) return 0;
  }
  applyOptions(state);
  resultStream = &out;
  installFaultGuard(reportFatalFault);
  if (dividerIsFaulty()) state.calculator.correctFaultyDivider(nullptr);

  if (!options.overRange.empty()) {
    OverRange range;
    if (!readOverRange(state.calculator, options.overRange, range, message)) return badUsage(err, message);
    return calculateOver(state, range, options.formulas.front(), out, err);
  }
  if (options.formulas.empty() && terminal) return runSession(state, out, err);
  bool allSucceeded = true;
  if (!options.formulas.empty()) {
    for (const std::string& formula : options.formulas)
      allSucceeded = calculateFormula(state, formula, out, err) && allSucceeded;
  } else {
    allSucceeded = calculateLines(state, in, out, err);
  }
  return allSucceeded ? 0 : 1;
}

}  // namespace

int runQvx(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, bool terminal) {
  errno = 0;
  return checkedStatus(calculateAll(args, in, out, err, terminal), in, out, err);
}
