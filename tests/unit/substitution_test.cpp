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
  setDetachedField('X', "1");
  std::string forty = "X";
  for (int i = 1; i < 40; ++i) forty += "+X";
  EXPECT_EQ(calc(forty), "40.0000");
  EXPECT_EQ(calc(forty + "+X"), "!! recursion");
}

TEST_F(SubstitutionTest, SubstitutedFormulaTooLongIsRefused) {
  setDetachedField('X', std::string(kVariableMaxChars, '1'));
  EXPECT_EQ(calc("X+X+X+X"), "!formula too long");
  EXPECT_EQ(calc(std::string(7500, '1')), "!formula too long");
  EXPECT_EQ(calc(std::string(7499, '0')), "0.0000");
}

TEST_F(SubstitutionTest, SolverTrialTakesThePlaceOfItsField) {
  setDetachedField('X', "100");
  solverUnknownField = kFieldX;
  solverTrialText = "3";
  solverTrialUsed = false;
  EXPECT_EQ(calc("X^2"), "9.0000");
  EXPECT_TRUE(solverTrialUsed);
  solverUnknownField = 0;
  EXPECT_EQ(calc("X^2"), "10000.0000");
}

// The window's Z field: writing it starts a run of its own when the text is
// not empty, as the field's change notification does.
std::string windowZField;
int nestedRuns = 0;

std::string readWindowField(int id, std::size_t maxChars) {
  return id == kFieldZ ? windowZField.substr(0, maxChars) : kDetachedFields.readField(id, maxChars);
}

void writeWindowField(int id, const std::string& text) {
  if (id != kFieldZ) return;
  windowZField = text;
  savedZText = text;
  if (text.empty()) return;
  ++nestedRuns;
  std::string outerEntry = entryText;
  runStatus.substitutionCount = 0;
  calculateEntry();
  entryText = outerEntry;
}

TEST_F(SubstitutionTest, ZStartsARunOfItsOwnWhenTheLastRunDidNotUseIt) {
  fieldAccess = {readWindowField, writeWindowField};
  windowZField.clear();
  nestedRuns = 0;

  savedZText = "5";
  zInFormula = false;
  entryText = "Z*2";
  runStatus.substitutionCount = 0;
  ASSERT_TRUE(calculateEntry()) << runStatus.errorText;
  EXPECT_EQ(resultText, "10.0000");
  EXPECT_EQ(nestedRuns, 1);
  EXPECT_TRUE(zInFormula);
  EXPECT_TRUE(zUsedThisRun);

  // Now the flag is set: Z is taken from its field directly.
  ASSERT_TRUE(calculateEntry());
  EXPECT_EQ(resultText, "10.0000");
  EXPECT_EQ(nestedRuns, 1);

  // No clipboard text yet: the unsubstituted Z is reported.
  savedZText.clear();
  zInFormula = false;
  EXPECT_FALSE(calculateEntry());
  EXPECT_STREQ(runStatus.errorText, "Z ?");
  EXPECT_TRUE(zInFormula);
}

}  // namespace
