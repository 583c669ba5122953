// The display rules no formula can reach on its own (the integer width of a
// binary result, values beyond every notation) and the re-enterable form's
// round trip; the notations' cases are rows of the formula table.
#include "display/notations.h"
#include "test_support.h"

namespace {

class NotationTest : public EngineTest {
 protected:
  std::string show(int notation, int precision, const char* value) {
    calcSettings.outputNotation = static_cast<OutputNotation>(notation);
    calcSettings.precision = precision;
    clearError();
    std::string text = value;
    formatResult(text);
    return hasError() ? "!" + windows1252ToUtf8(runStatus.errorText) : windows1252ToUtf8(resultText);
  }
};

TEST_F(NotationTest, BinaryFollowsTheIntegerWidth) {
  struct {
    int width;
    bool isSigned;
    const char* value;
    const char* shown;
  } cases[] = {
      {1, false, "255", "1111 1111 "},
      {1, false, "256", "0000 0001 0000 0000 "},
      {1, false, "257", "!out of range of chosen integer"},
      {1, false, "m1", "!out of range of chosen integer"},
      {1, true, "m1", "1111 1111 "},
      {1, true, "128", "1000 0000 "},
      {1, true, "129", "!out of range of chosen integer"},
      {2, true, "m200", "1111 1111 0011 1000 "},
      {4, true, "m70000", "1111 1111 1111 1110 1110 1110 1001 0000 "},
      {0, false, "m1", "!out of range of chosen integer"},
      {0, true, "m1", "1111 1111 "},
  };
  for (const auto& c : cases) {
    calcSettings.integerWidth = c.width;
    calcSettings.signedIntegers = c.isSigned;
    EXPECT_EQ(show(9, 4, c.value), c.shown) << c.value << " width " << c.width;
  }
}

TEST_F(NotationTest, HugeValuesGiveAMessageInEveryNotation) {
  for (const char* value : {"1e300", "1e4000", "m1e4000", "1.18e4932"}) {
    for (int notation = 0; notation < kNotationCount; ++notation) {
      std::string shown = show(notation, 16, value);
      EXPECT_LE(shown.size(), kResultMaxChars + 1) << notation << " " << value;
      EXPECT_FALSE(shown.empty()) << notation << " " << value;
    }
  }
}

TEST_F(NotationTest, InputTextReadsBackToTheSameValue) {
  for (int notation = 0; notation < kNotationCount; ++notation) {
    if (notation == 8) continue;  // one character: 2.5 is no character code
    calcSettings.outputNotation = static_cast<OutputNotation>(notation);
    calcSettings.precision = 4;
    for (const char* formula : {"2.5", "-2.5", "1234567.5", "90"}) {
      std::string first = calc(formula);
      if (first[0] == '!') continue;  // not shown in this notation
      ASSERT_TRUE(resultAsInputText());
      EXPECT_EQ(calc(windows1252ToUtf8(inputTextBuffer)), first)
          << "notation " << notation << " formula " << formula << " input " << inputTextBuffer;
    }
  }
}

TEST_F(NotationTest, InputTextAfterAnErrorWritesNothing) {
  show(0, 4, "2.5");
  ASSERT_TRUE(resultAsInputText());
  setError("division by zero");
  EXPECT_FALSE(resultAsInputText());
  EXPECT_EQ(inputTextBuffer, "2.5000");
}

}  // namespace
