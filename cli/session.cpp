#include "cli/session.h"

#include <ostream>

#include "cli/calculate.h"
#include "cli/formula_file.h"
#include "cli/line_editor.h"
#include "display/notations.h"
#include "text/codepage.h"
#include "engine/functions.h"
#include "engine/variables.h"

namespace {

constexpr char kPrompt[] = "qvx> ";

std::string trimmed(const std::string& text) {
  std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The settings line every setting command answers with.
void showSettings(const QvxOptions& o, std::ostream& out) {
  out << "notation " << static_cast<int>(o.notation) << " (" << notationLabel(o.notation)
      << "), precision " << o.precision << ", integer ";
  if (o.integerWidth == 0) out << "off";
  else out << o.integerWidth << (o.unsignedIntegers ? " unsigned" : " signed");
  out << ", " << (o.radians ? "radians" : "degrees") << ", " << (o.german ? "german" : "english")
      << '\n';
}

// A command's work; false ends the session.
using CommandAction = bool (*)(QvxState&, const std::string& argument, std::ostream& out,
                               std::ostream& err);

// A setting taken as its command-line option takes it.
template <const char* LongName>
bool setValue(QvxState& state, const std::string& argument, std::ostream& out, std::ostream& err) {
  if (!setOptionValue(state.options, LongName, argument)) {
    err << "invalid value '" << argument << "' for " << LongName << '\n';
    return true;
  }
  applyOptions(state);
  showSettings(state.options, out);
  return true;
}

constexpr char kNotation[] = "notation";
constexpr char kPrecision[] = "precision";
constexpr char kInteger[] = "integer";

bool setInteger(QvxState& state, const std::string& argument, std::ostream& out, std::ostream& err) {
  if (argument == "off") {
    state.options.integerWidth = 0;
    applyOptions(state);
    showSettings(state.options, out);
    return true;
  }
  return setValue<kInteger>(state, argument, out, err);
}

template <bool QvxOptions::*Flag, bool Value>
bool setFlag(QvxState& state, const std::string&, std::ostream& out, std::ostream&) {
  state.options.*Flag = Value;
  applyOptions(state);
  showSettings(state.options, out);
  return true;
}

// solve L = WANTED FORMULA
bool solveCommand(QvxState& state, const std::string& argument, std::ostream& out,
                  std::ostream& err) {
  std::string rest = argument;
  std::size_t equals = rest.find('=');
  std::size_t formulaStart = std::string::npos;
  if (equals != std::string::npos) {
    std::size_t wanted = rest.find_first_not_of(' ', equals + 1);
    std::size_t blank = wanted == std::string::npos ? wanted : rest.find(' ', wanted);
    if (blank != std::string::npos) formulaStart = rest.find_first_not_of(' ', blank);
    if (formulaStart != std::string::npos) {
      QvxOptions kept = state.options;
      std::string request = trimmed(rest.substr(0, equals)) + "=" +
                            rest.substr(wanted, blank - wanted);
      bool valid = setOptionValue(state.options, "solve", request);
      if (valid) calculateFormula(state, rest.substr(formulaStart), out, err);
      state.options = kept;
      if (valid) return true;
    }
  }
  err << "solve L = WANTED FORMULA: L is V, W, X or Y\n";
  return true;
}

bool listVariables(QvxState& state, const std::string&, std::ostream& out, std::ostream&) {
  const QvxOptions& o = state.options;
  for (std::size_t i = 0; i < kVariableLetters.size(); ++i) {
    out << kVariableLetters[i] << " =";
    if (!o.variables[i].empty()) out << ' ' << o.variables[i];
    out << '\n';
  }
  return true;
}

bool showHelp(QvxState&, const std::string&, std::ostream& out, std::ostream&);

bool quit(QvxState&, const std::string&, std::ostream&, std::ostream&) { return false; }

struct CommandRow {
  const char* word;
  const char* argument;
  const char* help;
  CommandAction action;
};

const CommandRow kCommands[] = {
    {"notation", " N|label", "output notation, 0-15 or its label", setValue<kNotation>},
    {"precision", " P", "digits after the point, 0-16", setValue<kPrecision>},
    {"integer", " 1|2|4|off", "integer mode of 1, 2 or 4 bytes, or none", setInteger},
    {"signed", "", "signed integers", setFlag<&QvxOptions::unsignedIntegers, false>},
    {"unsigned", "", "unsigned integers", setFlag<&QvxOptions::unsignedIntegers, true>},
    {"degrees", "", "angles in degrees", setFlag<&QvxOptions::radians, false>},
    {"radians", "", "angles in radians", setFlag<&QvxOptions::radians, true>},
    {"german", "", "German messages", setFlag<&QvxOptions::german, true>},
    {"english", "", "English messages", setFlag<&QvxOptions::german, false>},
    {"solve", " L = WANTED FORMULA", "the value of L at which FORMULA is WANTED", solveCommand},
    {"vars", "", "the texts of V, W, X, Y and Z", listVariables},
    {"help", "", "this list", showHelp},
    {"quit", "", "end qvx (also exit, Ctrl-D)", quit},
    {"exit", "", "end qvx", quit},
};

bool showHelp(QvxState&, const std::string&, std::ostream& out, std::ostream&) {
  out << promptHelpText();
  return true;
}

const CommandRow* findCommand(const std::string& word) {
  for (const CommandRow& row : kCommands)
    if (word == row.word) return &row;
  return nullptr;
}

// "X = text", "x=text", "X =": the letter's index, or -1.
int assignedVariable(const std::string& line, std::string& text) {
  std::string t = trimmed(line);
  if (t.size() < 2) return -1;
  std::size_t index = variableIndex(t[0]);
  std::size_t equals = t.find_first_not_of(' ', 1);
  if (index == std::string_view::npos || equals == std::string::npos || t[equals] != '=') return -1;
  text = trimmed(t.substr(equals + 1));
  return static_cast<int>(index);
}

}  // namespace

std::string promptHelpText() {
  std::string text =
      "A formula is calculated; X = text sets a variable (V, W, X, Y, Z),\n"
      "X = alone clears it; [name] calls up a named formula of the -f file.\n"
      "Ctrl-C drops the line being typed.\n";
  for (const CommandRow& row : kCommands) {
    std::string usage = std::string(row.word) + row.argument;
    text += "  " + usage + std::string(usage.size() < 26 ? 26 - usage.size() : 1, ' ') + row.help + '\n';
  }
  return text;
}

bool handleTypedLine(QvxState& state, const std::string& line, std::ostream& out,
                     std::ostream& err) {
  std::string t = trimmed(line);
  if (t.empty()) return true;
  std::string text;
  int variable = assignedVariable(t, text);
  if (variable >= 0) {
    if (!fitsVariableField(text)) {
      err << tooLongText(std::string(1, kVariableLetters[variable])) << '\n';
      return true;
    }
    state.options.variables[variable] = text;
    applyOptions(state);
    return true;
  }
  std::size_t blank = t.find(' ');
  if (const CommandRow* row = findCommand(t.substr(0, blank))) {
    std::string argument = blank == std::string::npos ? std::string() : trimmed(t.substr(blank));
    return row->action(state, argument, out, err);
  }
  calculateFormula(state, line, out, err);
  return true;
}

std::vector<std::string> completionWords(const HistoryList& formulaFile) {
  std::vector<std::string> words;
  for (const CommandRow& row : kCommands) words.push_back(row.word);
  for (std::size_t i = 0; i < functionCount(); ++i)
    words.push_back(std::string(functionNameAt(i)) + "(");
  for (const ConstantRow& constant : kConstants) words.push_back(constant.name);
  for (char letter : kVariableLetters) words.push_back(std::string(1, letter));
  for (const std::string& entry : namedFormulas(formulaFile)) {
    std::size_t close = entry.find(']');
    if (close != std::string::npos) words.push_back(windows1252ToUtf8(entry.substr(1, close)));
  }
  return words;
}

int runSession(QvxState& state, std::ostream& out, std::ostream& err) {
  openLineEditor(completionWords(state.formulaFile));
  std::string line;
  bool going = true;
  while (going) {
    out.flush();
    if (!readEditedLine(kPrompt, line)) {
      out << '\n';  // Ctrl-D: the shell's prompt on a line of its own
      break;
    }
    going = handleTypedLine(state, line, out, err);
  }
  out.flush();
  closeLineEditor();
  return 0;
}
