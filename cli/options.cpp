#include "cli/options.h"

#include <algorithm>

#include "cli/session.h"
#include "display/notations.h"
#include "engine/variables.h"
#include "text/codepage.h"
#include "version.h"

const char* const kUsageLine = "Usage: qvx [OPTIONS] [FORMULA...]";
const char* const kVersionText = "qvx " QVX_VERSION;
namespace {

const char* const kOptionsText =
    "Usage: qvx [OPTIONS] [FORMULA...]\n"
    "Calculates each FORMULA as the Quorvex calculator does; without one, reads\n"
    "formulas from standard input, one per line.\n"
    "\n"
    "  -n, --notation N      output notation: index 0-15 or its exact label,\n"
    "                        e.g. \"fraction a b/c\" (default 0)\n"
    "  -p, --precision P     0-16 (default 4)\n"
    "  -i, --integer W       integer mode of W bytes: 1, 2 or 4 (default off)\n"
    "  -u, --unsigned        unsigned integers (default signed)\n"
    "  -r, --radians         angles in radians (default degrees)\n"
    "  -g, --german          German messages\n"
    "  -V TEXT, -W TEXT, -X TEXT, -Y TEXT, -Z TEXT\n"
    "                        the text of that variable's field (default empty)\n"
    "  -e, --input-form      print the re-enterable form of the result instead\n"
    "  -s, --solve L=WANTED  find the value of variable L (V, W, X or Y) at which\n"
    "                        FORMULA equals the formula text WANTED; the text of\n"
    "                        -L is the first try\n"
    "  -f, --formulas FILE   a formula file of the calculator (HISTORY.TXT, *.OMB):\n"
    "                        [name] in a formula stands for its named entry\n"
    "      --list            print the named entries of that file\n"
    "      --json            answer each formula, from the arguments or standard\n"
    "                        input, with one line of JSON, a failed one too:\n"
    "                        formula, ok, result, value, message, notes (not for\n"
    "                        --solve, nor at the prompt); with --over one line\n"
    "                        a row, with L's value\n"
    "      --over L=FROM:TO[:STEP]\n"
    "                        calculate FORMULA for L (V, W, X or Y) from FROM to\n"
    "                        TO, in steps of STEP (default: ten steps); FROM, TO\n"
    "                        and STEP are formulas; at most 100000 rows\n"
    "      --table           the range as two columns, L and the result (or the\n"
    "                        message); the default for --over\n"
    "      --csv             the same as CSV, with the header L,result,message\n"
    "      --graph FILE      draw FORMULA over the range into FILE as SVG (500\n"
    "                        points; with --table, --csv or --json the rows too)\n"
    "  -h, --help            this text\n"
    "      --version         the version\n"
    "\n"
    "Results go to standard output, messages to standard error; a control\n"
    "character of the ASCII notation shows as cat -v shows it (^J). Exit status:\n"
    "0 when every formula succeeded, 1 when any failed (with --over: when no\n"
    "row has a result), 2 for bad options or a bad range, an unreadable formula\n"
    "file, or results that could not be written. On a terminal without\n"
    "FORMULA, qvx prompts and edits lines.\n";

}  // namespace

// The notations with their numbers, from the display's own list, in lines
// of at most 72 characters.
std::string helpText() {
  std::string text = kOptionsText + std::string("\nAt the prompt:\n") + promptHelpText() + "\n",
              line = "Notations:";
  for (int i = 0; i < kNotationCount; ++i) {
    std::string item = std::to_string(i) + " " + notationLabel(static_cast<OutputNotation>(i)) +
                       (i + 1 < kNotationCount ? "," : ".");
    if (line.size() + 1 + item.size() > 72) {
      text += line + "\n";
      line = item;
    } else {
      line += " " + item;
    }
  }
  return text + line + "\n";
}

namespace {

bool readWholeNumber(const std::string& text, int low, int high, int& value) {
  if (text.empty() || text.size() > 3 ||
      !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return false;
  value = std::stoi(text);
  return value >= low && value <= high;
}

bool setNotation(QvxOptions& o, const std::string& v) {
  int index = 0;
  if (readWholeNumber(v, 0, kNotationCount - 1, index)) {
    o.notation = static_cast<OutputNotation>(index);
    return true;
  }
  return notationFromLabel(v, o.notation);
}

bool setPrecision(QvxOptions& o, const std::string& v) {
  int precision = 0;
  if (!readWholeNumber(v, 0, 16, precision)) return false;
  o.precision = precision;
  return true;
}

bool setIntegerWidth(QvxOptions& o, const std::string& v) {
  int width = 0;
  if (!readWholeNumber(v, 1, 4, width) || width == 3) return false;
  o.integerWidth = width;
  return true;
}

bool setSolve(QvxOptions& o, const std::string& v) {
  if (v.size() < 2 || v[1] != '=') return false;
  char letter = variableLetterOf(v[0]);
  if (kFormulaLetters.find(letter) == std::string_view::npos) return false;
  o.solveLetter = letter;
  o.wantedValue = v.substr(2);
  return true;
}

bool setFormulaFile(QvxOptions& o, const std::string& v) {
  o.formulaFile = v;
  return !v.empty();
}

bool setOverRange(QvxOptions& o, const std::string& v) {
  o.overRange = v;
  return !v.empty();
}

bool setGraphFile(QvxOptions& o, const std::string& v) {
  o.graphFile = v;
  return !v.empty();
}

template <int Index>
bool setVariable(QvxOptions& o, const std::string& v) {
  if (!fitsVariableField(v)) return false;
  o.variables[Index] = v;
  return true;
}

struct OptionRow {
  char shortName;  // 0: long form only
  const char* longName;  // null: short form only
  bool (*takeValue)(QvxOptions&, const std::string&);  // null: a switch
  bool QvxOptions::*flag;
  ParseOutcome outcome;  // Help or Version end parsing; Run otherwise
  // The shortest abbreviation taken: "--g" stayed --german when --graph came.
  std::size_t shortestAbbreviation = 1;
};

const OptionRow kOptions[] = {
    {'n', "notation", setNotation, nullptr, ParseOutcome::Run},
    {'p', "precision", setPrecision, nullptr, ParseOutcome::Run},
    {'i', "integer", setIntegerWidth, nullptr, ParseOutcome::Run},
    {'u', "unsigned", nullptr, &QvxOptions::unsignedIntegers, ParseOutcome::Run},
    {'r', "radians", nullptr, &QvxOptions::radians, ParseOutcome::Run},
    {'g', "german", nullptr, &QvxOptions::german, ParseOutcome::Run},
    {'V', nullptr, setVariable<variableIndex('V')>, nullptr, ParseOutcome::Run},
    {'W', nullptr, setVariable<variableIndex('W')>, nullptr, ParseOutcome::Run},
    {'X', nullptr, setVariable<variableIndex('X')>, nullptr, ParseOutcome::Run},
    {'Y', nullptr, setVariable<variableIndex('Y')>, nullptr, ParseOutcome::Run},
    {'Z', nullptr, setVariable<variableIndex('Z')>, nullptr, ParseOutcome::Run},
    {'e', "input-form", nullptr, &QvxOptions::inputForm, ParseOutcome::Run},
    {'s', "solve", setSolve, nullptr, ParseOutcome::Run},
    {'f', "formulas", setFormulaFile, nullptr, ParseOutcome::Run},
    {0, "list", nullptr, &QvxOptions::listNamed, ParseOutcome::Run},
    {0, "json", nullptr, &QvxOptions::json, ParseOutcome::Run},
    {0, "over", setOverRange, nullptr, ParseOutcome::Run},
    {0, "table", nullptr, &QvxOptions::table, ParseOutcome::Run},
    {0, "csv", nullptr, &QvxOptions::csv, ParseOutcome::Run},
    {0, "graph", setGraphFile, nullptr, ParseOutcome::Run, 2},
    {'h', "help", nullptr, nullptr, ParseOutcome::Help},
    {0, "version", nullptr, nullptr, ParseOutcome::Version},
};

const OptionRow* findShort(char c) {
  for (const OptionRow& row : kOptions)
    if (row.shortName == c) return &row;
  return nullptr;
}

// An exact long name, or an abbreviation that fits exactly one.
const OptionRow* findLong(const std::string& name, bool& ambiguous) {
  const OptionRow* found = nullptr;
  ambiguous = false;
  for (const OptionRow& row : kOptions) {
    if (row.longName == nullptr || std::string(row.longName).rfind(name, 0) != 0) continue;
    if (name == row.longName) return &row;
    if (name.size() < row.shortestAbbreviation) continue;
    ambiguous = found != nullptr;
    found = &row;
  }
  return ambiguous ? nullptr : found;
}

std::string shown(const OptionRow& row) {
  return row.longName ? std::string("--") + row.longName : std::string("-") + row.shortName;
}

class Parser {
 public:
  Parser(const std::vector<std::string>& args, QvxOptions& options, std::string& message)
      : args_(args), options_(options), message_(message) {}

  ParseOutcome run() {
    bool onlyFormulas = false;
    while (next_ < args_.size()) {
      const std::string& arg = args_[next_++];
      ParseOutcome outcome = ParseOutcome::Run;
      if (onlyFormulas || arg.size() < 2 || arg[0] != '-') options_.formulas.push_back(arg);
      else if (arg == "--") onlyFormulas = true;
      else if (arg[1] == '-') outcome = longOption(arg.substr(2));
      else outcome = shortOptions(arg);
      if (outcome != ParseOutcome::Run) return outcome;
    }
    return ParseOutcome::Run;
  }

 private:
  ParseOutcome error(const std::string& text) {
    message_ = text;
    return ParseOutcome::Error;
  }

  ParseOutcome apply(const OptionRow& row, const std::string* value) {
    if (row.takeValue == nullptr) {
      if (row.flag) options_.*row.flag = true;
      return row.outcome;
    }
    if (value == nullptr) {
      if (next_ >= args_.size()) return error("option " + shown(row) + " needs a value");
      value = &args_[next_++];
    }
    if (!row.takeValue(options_, *value)) {
      bool variable = row.longName == nullptr && variableIndex(row.shortName) != std::string_view::npos;
      if (variable && !fitsVariableField(*value)) return error(tooLongText(shown(row)));
      return error("invalid value '" + *value + "' for " + shown(row));
    }
    return row.outcome;
  }

  ParseOutcome longOption(const std::string& text) {
    std::size_t equals = text.find('=');
    std::string name = text.substr(0, equals);
    bool ambiguous = false;
    const OptionRow* row = findLong(name, ambiguous);
    if (row == nullptr)
      return error((ambiguous ? "ambiguous option '--" : "unknown option '--") + name + "'");
    if (equals == std::string::npos) return apply(*row, nullptr);
    if (row->takeValue == nullptr) return error("option " + shown(*row) + " takes no value");
    std::string value = text.substr(equals + 1);
    return apply(*row, &value);
  }

  ParseOutcome shortOptions(const std::string& arg) {
    for (std::size_t i = 1; i < arg.size(); ++i) {
      const OptionRow* row = findShort(arg[i]);
      if (row == nullptr) return error(std::string("unknown option '-") + arg[i] + "'");
      if (row->takeValue != nullptr) {
        // The rest of the word is the value ("-X3"); else the next word.
        std::string rest = arg.substr(i + 1);
        return apply(*row, rest.empty() ? nullptr : &rest);
      }
      ParseOutcome outcome = apply(*row, nullptr);
      if (outcome != ParseOutcome::Run) return outcome;
    }
    return ParseOutcome::Run;
  }

  const std::vector<std::string>& args_;
  QvxOptions& options_;
  std::string& message_;
  std::size_t next_ = 0;
};

}  // namespace

ParseOutcome parseOptions(const std::vector<std::string>& args, QvxOptions& options,
                          std::string& message) {
  return Parser(args, options, message).run();
}

bool fitsVariableField(const std::string& utf8) {
  return utf8ToWindows1252(utf8).size() <= kVariableMaxChars;
}

std::string tooLongText(const std::string& name) {
  return "the text of " + name + " is longer than " + std::to_string(kVariableMaxChars) + " characters";
}

bool setOptionValue(QvxOptions& options, const char* longName, const std::string& value) {
  bool ambiguous = false;
  const OptionRow* row = findLong(longName, ambiguous);
  return row != nullptr && row->takeValue != nullptr && row->takeValue(options, value);
}
