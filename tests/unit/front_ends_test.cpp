// The rules of the window and of qvx that need no window or terminal; the
// window's tests, qvx_cases.tsv and qvx_interactive.py drive the programs.
#include <filesystem>
#include <sstream>

#include "cli/calculate.h"
#include "cli/formula_file.h"
#include "cli/json_answer.h"
#include "cli/qvx.h"
#include "cli/session.h"
#include "store/history.h"
#include "store/stored_formula.h"
#include "test_support.h"
#include "ui/clipboard_text.h"
#include "ui/command_line.h"
#include "ui/edit_rules.h"

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, Splitting) {
  const std::pair<const char*, Args> cases[] = {
      {"   ", {}}, {"deutsch  \"scientific (exp)\" 12", {"deutsch", "scientific (exp)", "12"}},
      {"'input:2 + 3' \"a b\"cd e", {"input:2 + 3", "a b", "e"}},
      {"it's \"open to the end", {"it's", "open to the end"}},
      {"'\"' \"'\"", {"\"", "'"}},
  };
  for (const auto& [text, args] : cases) EXPECT_EQ(splitCommandLine(text), args) << text;
}

// The keywords in turn, each on the settings the ones before it left (the
// window's tests start it with the common ones).
TEST_F(EngineTest, CommandLineKeywords) {
  StartOptions options;
  auto apply = [&](const Args& args) {
    std::string refused;
    for (const std::string& a : args)
      if (auto message = applyArgument(a, options, settings())) refused += " " + *message;
    const CalcSettings& s = settings();
    std::ostringstream o;
    o << (s.language == Language::German) << s.bigLayout << s.angleInDegrees << s.autoclip << s.clipvar
      << s.minimizedThisRun << ' ' << s.startPrecision << ' ' << static_cast<int>(s.startNotation) << refused;
    return o.str();
  };
  EXPECT_EQ(apply({"small", "iconized", "radial", "autoclip", "clipvar", "12"}), "000111 12 0");
  EXPECT_EQ(apply({"big", "degree", "noautoclip", "noclipvar", "maximized", "0", "scientific (exp)"}), "011000 0 6");
  EXPECT_EQ(apply({"normal", "color:red", "C:\\calc\\F.TXT", "my.omb", "deutsch", "(dot)"}),
            "111000 0 6 Quorvex commandline parameter \"normal\" not O.K."
            " fehlerhafter Quorvex Kommandozeilenparameter \"(dot)\"");
  EXPECT_EQ(options.colourText + "|" + *options.historyFileName, "red|my.omb") << "a drive letter's name is ignored";
}

// The edit keys and pasted lines; the window's tests press the plain cases.
TEST(EditRulesTest, KeysAndPastedLines) {
  EXPECT_EQ(operatorPressedTwice("1+2*", '*'), "(1+2)*");
  EXPECT_EQ(operatorPressedTwice("2", '*'), std::nullopt);
  for (auto [entry, name, result] :
       {std::tuple{"", "sin", "sin()"}, {"1+", "sin", "1+sin("}, {"2*(", "sqrt", "2*(sqrt("}, {"1e-", "ln", "ln(1e-)"},
        {"1/(5)", "1/", "5"}, {"1/(5)+1/(6)", "1/", "1/(1/(5)+1/(6))"}, {"7", "1/", "1/(7)"}})
    EXPECT_EQ(wrapInFunction(entry, name), result) << entry;
  for (auto [text, line] : {std::pair{"12\r\n7\r\n-3", "12+7-3"}, {"  5\r\n\r\n6\r\n", "5+6"}, {"5\n6", "5\n6"},
                            {"5\r6", "5+6"}})
    EXPECT_EQ(joinClipboardLines(text).line, line) << text;
  EXPECT_EQ(joinClipboardLines("12\r\n7").sourceChars, 4u);
  EXPECT_TRUE(variableUsed("x*2", 'X') && variableUsed("#a[+X", 'X'));
  EXPECT_FALSE(variableUsed("2 [X marks] * 3", 'X') || variableUsed("Y", 'X'));
}

// A stored formula's variable parts ("; X=2"), last first, as the fields get them.
TEST(EditRulesTest, StoredFormulaSplitsIntoFields) {
  const std::pair<const char*, const char*> cases[] = {
      {"A*X; X=2; Y = 5", "A*X|Y=5|X=2"},  {"3*V; V=2; Z=9", "3*V|V=2"},
      {"[rent] 1200*12 ; X = 3", "[rent] 1200*12 |X=3"}, {"[a;b] 5", "[a;b] 5"},
      {"5; X 3", "5; X 3"}, {"5;x=1;w=2", "5|W=2|X=1"}, {"5;X", "5"},
      {"#a[+X ; X = 2", "#a[+X |X=2"}, {"#a;+1", "#a;+1"},  // "#a[" is the number 91, no comment
  };
  for (const auto& [text, expected] : cases) {
    StoredFormula stored = splitStoredFormula(text);
    for (const auto& [letter, value] : stored.assignments) stored.formula += "|" + std::string(1, letter) + "=" + value;
    EXPECT_EQ(stored.formula, expected) << text;
  }
  EXPECT_EQ(variableAssignments([](char letter) { return letter == 'W' ? "2" : letter == 'Y' ? "a b" : ""; }),
            "; W=2; Y=a b");
}

TEST_F(EngineTest, QvxHelpAndTypedLines) {
  std::istringstream in;
  std::ostringstream help, ignored;
  EXPECT_TRUE(runQvx({"-h", "1/0"}, in, help, ignored) == 0 && help.str().rfind("Usage: qvx [OPTIONS]", 0) == 0);
  EXPECT_TRUE(help.str().ends_with("\n11 fraction a b/c, 12 fraction a/b, 13 min'sec, 14 h min sec,\n15 /60 hour min sec.\n"));
  const std::string tooLong = "X = " + std::string(kVariableMaxChars, '7') + "+";
  // line, what it prints on stdout and stderr, whether the session goes on
  const std::tuple<const char*, const char*, const char*, bool> lines[] = {
      {"", "", "", true}, {"x=2", "", "", true}, {"  Y =  X+1 ", "", "", true}, {"X*Y", "6.0000\n", "", true},
      {"X =", "", "", true}, {"v=1", "", "", true}, {"quit2", "", "quit ?\n", true},
      {"vars", "V = 1\nW =\nX =\nY = X+1\nZ =\n", "", true},
      {"notation label", "", "invalid value 'label' for notation\n", true},
      {"solve Q = 1 X", "", "solve L = WANTED FORMULA: L is V, W, X or Y\n", true},
      {"integer 3", "", "invalid value '3' for integer\n", true}, {"integer 5", "", "invalid value '5' for integer\n", true},
      {"solve y = 9 Y^2", "3.0000\n", "", true},
      // A refused value changes nothing, also not at the next setting.
      {"precision 17", "", "invalid value '17' for precision\n", true},
      {"degrees", "notation 0 (normal (dot)), precision 4, integer off, degrees, english\n", "", true},
      {tooLong.c_str(), "", "the text of X is longer than 5999 characters\n", true},
      {"vars", "V = 1\nW =\nX =\nY = X+1\nZ =\n", "", true}, {"exit", "", "", false},
  };
  QvxState state;
  applyOptions(state);
  for (const auto& [line, shownOut, shownErr, goesOn] : lines) {
    std::ostringstream out, err;
    EXPECT_EQ(handleTypedLine(state, line, out, err), goesOn) << line;
    EXPECT_EQ(out.str(), shownOut) << line;
    EXPECT_EQ(err.str(), shownErr) << line;
  }
}

// Answers that cannot be written and formulas that cannot be read are a
// failure (status 2), never a silent success; a variable's text longer than
// its field is refused, not cut.
TEST(QvxTest, StreamsThatFailAndTextsTooLong) {
  std::istringstream none, broken("1+1\n");
  broken.setstate(std::ios::badbit);
  std::ostringstream full, out, err;
  full.setstate(std::ios::badbit);
  EXPECT_EQ(runQvx({"1+1"}, none, full, err), 2);
  EXPECT_EQ(runQvx({}, broken, out, err), 2);
  EXPECT_EQ(err.str().rfind("qvx: cannot write the results", 0), 0u);
  EXPECT_NE(err.str().find("qvx: cannot read the formulas"), std::string::npos);
  std::string sum = "1", umlauts;
  while (sum.size() < kVariableMaxChars) sum += "+1";    // 5999 characters
  while (umlauts.size() < 2 * kVariableMaxChars) umlauts += "ä";  // 5999 characters in 11998 bytes
  for (auto [text, status] : {std::pair{sum, 0}, {sum + "+1", 2}, {umlauts, 1}}) {
    std::ostringstream result, message;
    EXPECT_EQ(runQvx({"-X", text, "X*0"}, none, result, message), status) << text.size() << message.str();
  }
}

// A value reads back as the same double; a byte that is not UTF-8 becomes U+FFFD.
TEST(QvxTest, JsonLines) {
  JsonAnswer answer{"1/3\xFF", true, "0.3333", 1.0 / 3, std::nullopt, {"var overflow", "calc overflow"}, "", {}};
  EXPECT_EQ(jsonLine(answer), "{\"formula\":\"1/3\xEF\xBF\xBD\",\"ok\":true,\"result\":\"0.3333\","
                              "\"value\":0.3333333333333333,\"message\":null,"
                              "\"notes\":[\"var overflow\",\"calc overflow\"]}");
  EXPECT_EQ(std::stod("0.3333333333333333"), 1.0 / 3);
}

// The stored line's own brackets are comments; an ASCII literal's "[" is no name.
TEST_F(EngineTest, QvxFormulaFilesAndNamedFormulas) {
  std::string message, folder = std::filesystem::temp_directory_path().string();
  HistoryList entries;
  EXPECT_FALSE(loadFormulaFile(entries, folder, message));
  EXPECT_EQ(message.rfind("cannot read formula file '" + folder + "': ", 0), 0u) << message;
  addHistoryEntry(entries, "[a] 2 ; X=5");
  addHistoryEntry(entries, "[b] [a]*3");
  const std::pair<const char*, const char*> cases[] = {
      {"[a]", "[a] 2 "},         {"[a]*[b]", "([a] 2 )*([b] [a]*3)"}, {"[a] 1+1", "[a] 1+1"},
      {"[a] -1", "([a] 2 ) -1"}, {"#a[+[a]", "#a[+([a] 2 )"},        {"[c]+[a", "[c]+[a"},
      {"[c][a][a]", "[c]([a] 2 )([a] 2 )"},
  };
  for (const auto& [formula, called] : cases) EXPECT_EQ(callUpNamedFormulas(entries, formula).formula, called);
  CalledUpFormula twice = callUpNamedFormulas(entries, "[a]+[a]");
  ASSERT_EQ(twice.assignments.size(), 2u);
  EXPECT_EQ(twice.assignments[0], std::make_pair('X', std::string("5")));
}

}  // namespace
