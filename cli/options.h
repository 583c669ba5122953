// qvx's command line, parsed the GNU way: options before or after the
// formulas, "--" ends them, "-X3", "--notation=3", values that begin with "-".
#pragma once

#include <array>
#include <string>
#include <vector>

#include "engine/calc_settings.h"

struct QvxOptions {
  OutputNotation notation = OutputNotation::NormalDot;
  int precision = 4;
  int integerWidth = 0;
  bool unsignedIntegers = false;
  bool radians = false;
  bool german = false;
  bool inputForm = false;
  // Texts of the variable fields V, W, X, Y, Z.
  std::array<std::string, 5> variables;
  // -s L=WANTED: solve for L instead of calculating (0: calculate).
  char solveLetter = 0;
  std::string wantedValue;
  // -f FILE: the formula file whose named entries formulas may call up.
  std::string formulaFile;
  bool listNamed = false;  // --list: print the file's named entries
  bool json = false;       // --json: one line of JSON per formula calculated
  // --over L=FROM:TO[:STEP]: the formula over a range of a variable, as
  // given (read with the calculator once the settings are in force).
  std::string overRange;
  bool table = false;      // --table: the range's values and results in two columns
  bool csv = false;        // --csv: the same as CSV
  std::string graphFile;   // --graph FILE: the curve over the range as SVG
  std::vector<std::string> formulas;
};

enum class ParseOutcome { Run, Help, Version, Error };

// On Error, message says what is wrong.
ParseOutcome parseOptions(const std::vector<std::string>& args, QvxOptions& options,
                          std::string& message);

// Sets the value of the option with this long name ("notation", "precision",
// "integer", "solve") as its command-line form would; false when the value
// is not valid for it.
bool setOptionValue(QvxOptions& options, const char* longName, const std::string& value);

// Whether a variable's text (UTF-8) fits its field, and the message when not.
bool fitsVariableField(const std::string& utf8);
std::string tooLongText(const std::string& name);

extern const char* const kUsageLine;
std::string helpText();
extern const char* const kVersionText;
