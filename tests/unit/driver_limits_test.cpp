// Sizes that a formula may reach: deep nesting, long operands, long texts.
#include "engine/driver.h"
#include "test_support.h"

namespace {

class DriverLimitsTest : public EngineTest {};

std::string nested(int depth, const std::string& core) {
  return std::string(depth, '(') + core + std::string(depth, ')');
}

TEST_F(DriverLimitsTest, DeepNestingNeedsNoDeepStack) {
  EXPECT_EQ(calc(nested(3000, "1+2")), "3.0000");
  EXPECT_EQ(calc("-" + nested(3000, "-2")), "2.0000");
  EXPECT_EQ(calc(nested(2000, "1+2") + ")"), "!( missing");
  EXPECT_EQ(calc("sqrt" + nested(1000, "16")), "4.0000");
}

TEST_F(DriverLimitsTest, ManyBracketPairsSideBySide) {
  std::string formula = "(1+1)";
  for (int i = 1; i < 1200; ++i) formula += "+(1+1)";
  EXPECT_EQ(calc(formula), "2400.0000");
}

TEST_F(DriverLimitsTest, LongOperandsAreReadWhole) {
  std::string zeros(300, '0');
  EXPECT_EQ(calc("1." + zeros + "1+1"), "2.0000");
  EXPECT_EQ(calc(zeros + "7*2"), "14.0000");
  EXPECT_EQ(calc("#h" + zeros + "F"), "!hex/oct/bin number too big");
}

TEST_F(DriverLimitsTest, EvaluateRefusesTextBeyondItsBuffer) {
  std::string text(kFormulaMaxChars + 1, '1');
  EXPECT_FALSE(evaluateFormula(text, true));
  EXPECT_STREQ(runStatus.errorText, "formula too long");
  EXPECT_EQ(text.size(), kFormulaMaxChars + 1);
}

TEST_F(DriverLimitsTest, FailureLeavesTheTextAsItWas) {
  for (const char* formula : {"1/0", "2+*3", "sin(1e5000)", "(1+1)+(2/0)"}) {
    std::string text = formula;
    EXPECT_FALSE(evaluateFormula(text, true)) << formula;
    EXPECT_EQ(text, formula);
  }
  std::string unbalanced = "(2 + 3";
  EXPECT_FALSE(evaluateFormula(unbalanced, true));
  EXPECT_EQ(unbalanced, "(2+3") << "the cleaned text, as far as it got";
}

TEST_F(DriverLimitsTest, ResultTextTravelsAsExtendedExponentForm) {
  std::string text = "1/3";
  ASSERT_TRUE(evaluateFormula(text, true));
  EXPECT_EQ(text, "3.33333333333333333342em01");
  text = "0-2.5";
  ASSERT_TRUE(evaluateFormula(text, true));
  EXPECT_EQ(text, "m2.50000000000000000000e+00");
  text = "#hFF";
  ASSERT_TRUE(evaluateFormula(text, true));
  EXPECT_EQ(text, "#hFF") << "a single literal is left as typed";
}

}  // namespace
