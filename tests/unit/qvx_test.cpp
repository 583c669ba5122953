// qvx's help, its prompt's lines and formula files, run in-process.
#include <filesystem>
#include <sstream>

#include "cli/calculate.h"
#include "cli/formula_file.h"
#include "cli/qvx.h"
#include "cli/session.h"
#include "store/history.h"
#include "test_support.h"

namespace {

class QvxTest : public EngineTest {
 protected:
  void TearDown() override { historyList = HistoryList{}; }
};

// The end-to-end cases of tests/qvx_cases.tsv run the real binary; this
// checks in-process what a table of exact outputs would restate at length.
TEST_F(QvxTest, HelpAndVersion) {
  std::istringstream in;
  std::ostringstream out, err;
  EXPECT_EQ(runQvx({"--version", "1/0"}, in, out, err), 0);
  EXPECT_EQ(out.str(), "qvx 4.12\n");
  out.str("");
  EXPECT_EQ(runQvx({"-h"}, in, out, err), 0);
  EXPECT_EQ(out.str().rfind("Usage: qvx [OPTIONS] [FORMULA...]\n", 0), 0u);
  EXPECT_TRUE(err.str().empty());
}

// The lines typed at the prompt, in order, against what each one prints;
// the terminal itself is driven by tests/qvx_interactive.py.
TEST_F(QvxTest, TypedLines) {
  struct Case {
    const char* line;
    const char* out;
    const char* err;
    bool goesOn;
  };
  const Case cases[] = {
      {"", "", "", true},
      {"x=2", "", "", true},
      {"  Y =  X+1 ", "", "", true},
      {"X*Y", "6.0000\n", "", true},
      {"X =", "", "", true},
      {"vars", "V =\nW =\nX =\nY = X+1\nZ =\n", "", true},
      {"integer 3", "", "invalid value '3' for integer\n", true},
      {"notation label", "", "invalid value 'label' for notation\n", true},
      {"solve X", "", "solve L = WANTED FORMULA: L is V, W, X or Y\n", true},
      {"solve Q = 1 X", "", "solve L = WANTED FORMULA: L is V, W, X or Y\n", true},
      {"solve y = 9 Y^2", "3.0000\n", "", true},
      {"quit2", "", "quit ?\n", true},
      {"exit", "", "", false},
  };
  QvxOptions options;
  applyOptions(options);
  for (const Case& c : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(handleTypedLine(c.line, options, out, err), c.goesOn) << c.line;
    EXPECT_EQ(out.str(), c.out) << c.line;
    EXPECT_EQ(err.str(), c.err) << c.line;
  }
}

TEST_F(QvxTest, CompletionWords) {
  std::vector<std::string> words = completionWords();
  for (const char* word : {"sqrt(", "not(", "Pi", "Eul", "V", "Z", "notation", "quit"})
    EXPECT_NE(std::find(words.begin(), words.end(), word), words.end()) << word;
}

TEST_F(QvxTest, FormulaFileThatCannotBeRead) {
  std::string message;
  std::string folder = std::filesystem::temp_directory_path().string();
  EXPECT_FALSE(loadFormulaFile(folder, message));
  EXPECT_EQ(message.rfind("cannot read formula file '" + folder + "': ", 0), 0u) << message;
  EXPECT_FALSE(loadFormulaFile(folder + "/qvx-no-such-file.omb", message));
}

// The stored line's own brackets are comments; an ASCII literal's "[" is no name.
TEST_F(QvxTest, CalledUpFormulas) {
  addHistoryEntry("[a] 2 ; X=5");
  addHistoryEntry("[b] [a]*3");
  struct Case {
    const char* formula;
    const char* called;
  } cases[] = {
      {"[a]", "[a] 2 "},        {"[a]*[b]", "([a] 2 )*([b] [a]*3)"},
      {"[a] 1+1", "[a] 1+1"},   {"[a] -1", "([a] 2 ) -1"},
      {"#a[+[a]", "#a[+([a] 2 )"}, {"[c]+[a", "[c]+[a"},
  };
  for (const auto& c : cases) EXPECT_EQ(callUpNamedFormulas(c.formula).formula, c.called);
  CalledUpFormula twice = callUpNamedFormulas("[a]+[a]");
  ASSERT_EQ(twice.assignments.size(), 2u);
  EXPECT_EQ(twice.assignments[0], std::make_pair('X', std::string("5")));
}

}  // namespace
