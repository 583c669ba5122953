#include "test_support.h"

namespace {

class SubstitutionTest : public EngineTest {};

TEST_F(SubstitutionTest, NormalizeLetters) {
  struct {
    const char* in;
    const char* out;
    bool found;
  } cases[] = {
      {"x+y*v-w", "X+Y*V-W", true},
      {"2+3", "2+3", false},
      {"3 [x is y] + 1", "3 [      ] + 1", false},
      {"#ax+#AX", "#ax+#AX", false},
      {"#ax+z", "#ax+Z", true},
      {"[open x", "[      ", false},
      {"u+Z", "u+Z", true},
  };
  for (const auto& c : cases) {
    std::string text = c.in;
    EXPECT_EQ(normalizeVariableLetters(text), c.found) << c.in;
    EXPECT_EQ(text, c.out) << c.in;
  }
}

TEST_F(SubstitutionTest, UnknownLetterIsNoted) {
  solverUnknownLetter = 'Y';
  unknownLetterSeen = false;
  std::string text = "x+1";
  normalizeVariableLetters(text);
  EXPECT_FALSE(unknownLetterSeen);
  text = "2*y";
  normalizeVariableLetters(text);
  EXPECT_TRUE(unknownLetterSeen);
}

TEST_F(SubstitutionTest, FirstOccurrenceInsideAnAsciiLiteralHidesTheLetter) {
  workFormula = "#aX+X";
  EXPECT_EQ(findVariable('X'), std::string::npos);
  workFormula = "X+#aX";
  EXPECT_EQ(findVariable('X'), 0u);
}

TEST_F(SubstitutionTest, RecursionLimitIsFortySubstitutions) {
  setVariableText('X', "1");
  std::string forty = "X";
  for (int i = 1; i < 40; ++i) forty += "+X";
  EXPECT_EQ(calc(forty), "40.0000");
  EXPECT_EQ(calc(forty + "+X"), "!! recursion");
}

TEST_F(SubstitutionTest, SubstitutedFormulaTooLongIsRefused) {
  setVariableText('X', std::string(kVariableMaxChars, '1'));
  EXPECT_EQ(calc("X+X+X+X"), "!formula too long");
  EXPECT_EQ(calc(std::string(7500, '1')), "!formula too long");
  EXPECT_EQ(calc(std::string(7499, '0')), "0.0000");
}

TEST_F(SubstitutionTest, SolverTrialTakesThePlaceOfItsText) {
  setVariableText('X', "100");
  solverUnknownLetter = 'X';
  solverTrialText = "3";
  solverTrialUsed = false;
  workFormula = "X^2";
  substituteVariables();
  EXPECT_EQ(workFormula, "(3)^2");
  EXPECT_TRUE(solverTrialUsed);
  // A run of its own is an ordinary calculation again.
  EXPECT_EQ(calc("X^2"), "10000.0000");
}

// The window's Z field: filling it starts a run of its own when the text is
// not empty, as the field's change notification does.
std::string windowZField;
int nestedRuns = 0;

std::string readWindowField(char letter, std::size_t maxChars) {
  return letter == 'Z' ? windowZField.substr(0, maxChars) : std::string();
}

void fillWindowZField(const std::string& text) {
  windowZField = text;
  savedZText = text;
  if (text.empty()) return;
  ++nestedRuns;
  std::string outerEntry = entryText;
  runFormula(outerEntry);
  entryText = outerEntry;
}

TEST_F(SubstitutionTest, ZStartsARunOfItsOwnWhenTheLastRunDidNotUseIt) {
  variableAccess = {readWindowField, fillWindowZField};
  windowZField.clear();
  nestedRuns = 0;

  savedZText = "5";
  zInFormula = false;
  RunResult run = runFormula("Z*2");
  ASSERT_TRUE(run.ok) << run.shown;
  EXPECT_EQ(run.shown, "10.0000");
  EXPECT_EQ(nestedRuns, 1);
  EXPECT_TRUE(zInFormula);
  EXPECT_TRUE(run.zRead);

  // Now the flag is set: Z is taken from its field directly.
  EXPECT_EQ(runFormula("Z*2").shown, "10.0000");
  EXPECT_EQ(nestedRuns, 1);

  // No clipboard text yet: the unsubstituted Z is reported.
  savedZText.clear();
  zInFormula = false;
  EXPECT_EQ(runFormula("Z*2").shown, "Z ?");
  EXPECT_TRUE(zInFormula);
}

}  // namespace
