// The calculator window's rules that need no window.
#include "help/help_topics.h"
#include "test_support.h"
#include "ui/clipboard_text.h"
#include "ui/command_line.h"
#include "store/stored_formula.h"
#include "ui/edit_rules.h"

namespace {

using Args = std::vector<std::string>;

TEST(CommandLineTest, Splitting) {
  struct {
    const char* text;
    Args args;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"deutsch  small 12", {"deutsch", "small", "12"}},
      {"\"scientific (exp)\" big", {"scientific (exp)", "big"}},
      {"'input:2 + 3' x", {"input:2 + 3", "x"}},
      {"\"a b\"cd e", {"a b", "e"}},
      {"\"open to the end", {"open to the end"}},
      {"it's one", {"it's", "one"}},
      {"'\"' \"'\"", {"\"", "'"}},
  };
  for (const auto& c : cases) EXPECT_EQ(splitCommandLine(c.text), c.args) << c.text;
}

class KeywordTest : public EngineTest {
 protected:
  std::vector<std::string> apply(const Args& args, StartOptions& options) {
    std::vector<std::string> refused;
    for (const std::string& a : args)
      if (auto message = applyArgument(a, options)) refused.push_back(*message);
    return refused;
  }
};

TEST_F(KeywordTest, KeywordsAndValues) {
  StartOptions options;
  EXPECT_TRUE(apply({"deutsch", "small", "12", "radial", "autoclip", "clipvar", "iconized"}, options)
                  .empty());
  EXPECT_EQ(calcSettings.language, Language::German);
  EXPECT_FALSE(calcSettings.bigLayout);
  EXPECT_EQ(calcSettings.startPrecision, 12);
  EXPECT_FALSE(calcSettings.angleInDegrees);
  EXPECT_TRUE(calcSettings.autoclip);
  EXPECT_TRUE(calcSettings.clipvar);
  EXPECT_TRUE(calcSettings.minimizedThisRun);
  EXPECT_TRUE(apply({"big", "degree", "noautoclip", "noclipvar", "maximized", "0"}, options).empty());
  EXPECT_TRUE(calcSettings.bigLayout && calcSettings.angleInDegrees);
  EXPECT_FALSE(calcSettings.autoclip || calcSettings.clipvar || calcSettings.minimizedThisRun);
  EXPECT_EQ(calcSettings.startPrecision, 0);

  EXPECT_TRUE(apply({"scientific (exp)", "input:2 + 3", "color:red", "C:\\calc\\F.TXT", "my.omb"},
                    options)
                  .empty());
  EXPECT_EQ(calcSettings.startNotation, OutputNotation::Scientific);
  EXPECT_EQ(options.startFormula, "2 + 3");
  EXPECT_EQ(options.colourText, "red");
  EXPECT_EQ(options.historyFileName, "my.omb") << "a name with a drive letter is ignored";
}

TEST_F(KeywordTest, RefusedArgumentsInTheLanguageInForce) {
  StartOptions options;
  EXPECT_EQ(apply({"17", "1a", "normal", "(dot)", "1"}, options),
            (std::vector<std::string>{"Quorvex commandline parameter \"17\" not O.K.",
                                      "Quorvex commandline parameter \"1a\" not O.K.",
                                      "Quorvex commandline parameter \"normal\" not O.K.",
                                      "Quorvex commandline parameter \"(dot)\" not O.K."}));
  EXPECT_EQ(calcSettings.startPrecision, 1);
  EXPECT_EQ(apply({"x", "deutsch", "x"}, options),
            (std::vector<std::string>{"Quorvex commandline parameter \"x\" not O.K.",
                                      "fehlerhafter Quorvex Kommandozeilenparameter \"x\""}));
  calcSettings.bigLayout = false;
  EXPECT_EQ(templateName("X_RECHNER_WINDOW"), "S_RECHNER_WINDOW");
}

TEST(EditRulesTest, OperatorTwiceAndFunctions) {
  EXPECT_EQ(operatorPressedTwice("2*", '*'), "(2)*");
  EXPECT_EQ(operatorPressedTwice("1+2*", '*'), "(1+2)*");
  EXPECT_EQ(operatorPressedTwice("2", '*'), std::nullopt);
  EXPECT_EQ(operatorPressedTwice("", '/'), std::nullopt);
  struct {
    const char* entry;
    const char* name;
    const char* result;
  } cases[] = {
      {"", "sin", "sin()"},          {"1+2", "sin", "sin(1+2)"},
      {"1+", "sin", "1+sin("},       {"2*(", "sqrt", "2*(sqrt("},
      {"1e-", "ln", "ln(1e-)"},      {"1/(5)", "1/", "5"},
      {"1/(5)+1/(6)", "1/", "1/(1/(5)+1/(6))"},
      {"7", "1/", "1/(7)"},
  };
  for (const auto& c : cases) EXPECT_EQ(wrapInFunction(c.entry, c.name), c.result) << c.entry;
}

TEST(EditRulesTest, StoredFormulaSplitsIntoFields) {
  using Assignments = std::vector<std::pair<char, std::string>>;
  struct {
    const char* text;
    const char* formula;
    Assignments assignments;
  } cases[] = {
      {"A*X; X=2; Y = 5", "A*X", {{'Y', "5"}, {'X', "2"}}},
      {"3*V; V=2; Z=9", "3*V", {{'V', "2"}}},
      {"[rent] 1200*12 ; X = 3", "[rent] 1200*12 ", {{'X', "3"}}},
      {"[a;b] 5", "[a;b] 5", {}},
      {"5; X 3", "5; X 3", {}},
      {"5;x=1;w=2", "5", {{'W', "2"}, {'X', "1"}}},
      {"5;X", "5", {}},
      {"2*X", "2*X", {}},
      // "#a[" is the number 91, no comment: the variable part stays a part.
      {"#a[+X ; X = 2", "#a[+X ", {{'X', "2"}}},
      {"#a;+1", "#a;+1", {}},
  };
  for (const auto& c : cases) {
    StoredFormula stored = splitStoredFormula(c.text);
    EXPECT_EQ(stored.formula, c.formula) << c.text;
    EXPECT_EQ(stored.assignments, c.assignments) << c.text;
  }
  EXPECT_EQ(variableAssignments([](char letter) { return letter == 'W' ? "2" : letter == 'Y' ? "a b" : ""; }),
            "; W=2; Y=a b");
}

TEST(ClipboardTextTest, LinesJoinIntoOneFormula) {
  struct {
    const char* text;
    const char* line;
  } cases[] = {
      {"12\r\n7\r\n-3", "12+7-3"},
      {"5\r\n6\r\n", "5+6"},
      {"5\r\n\r\n6", "5+6"},
      {"  5\r\n   6", "5+6"},
      {"5\n6", "5\n6"},
      {"5\r6", "5+6"},
      {"1 + 1", "1 + 1"},
  };
  for (const auto& c : cases) EXPECT_EQ(joinClipboardLines(c.text).line, c.line) << c.text;
  EXPECT_EQ(joinClipboardLines("12\r\n7").sourceChars, 4u);
}

TEST(ClipboardTextTest, VariablesUsedOutsideComments) {
  EXPECT_TRUE(variableUsed("x*2", 'X'));
  EXPECT_TRUE(variableUsed("2*X", 'X'));
  EXPECT_FALSE(variableUsed("2 [X marks] * 3", 'X'));
  EXPECT_FALSE(variableUsed("Y", 'X'));
  EXPECT_TRUE(variableUsed("#a[+X", 'X'));
}

}  // namespace
