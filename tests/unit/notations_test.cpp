#include "display/notations.h"
#include "test_support.h"

namespace {

struct ShowCase {
  int notation;
  int precision;
  const char* value;  // the engine's result text
  const char* shown;  // or "!" and the message
};

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

  void expectAll(std::initializer_list<ShowCase> cases) {
    for (const ShowCase& c : cases)
      EXPECT_EQ(show(c.notation, c.precision, c.value), c.shown)
          << "notation " << c.notation << " p " << c.precision << " value " << c.value;
  }
};

TEST_F(NotationTest, DecimalNotations) {
  expectAll({
      {0, 0, "2.7", "3"},
      {0, 4, "m2.5", "-2.5000"},
      {0, 4, "1e12", "1.0000e+12"},
      {0, 4, "m1e12", "-1.0000e+12"},
      {0, 4, "999999999999", "999999999999.0000"},
      {0, 4, "3.5e-7", "0.0000"},
      {0, 4, "m0", "0.0000"},
      {0, 16, "0.1", "0.1000000000000000"},
      {1, 4, "1234.5", "1234,5000"},
      {1, 4, "1.23456e12", "1,2346e+12"},
      {2, 4, "1234567.891", "1.234.567,8910"},
      {3, 4, "1234567.891", "1,234,567.8910"},
      {2, 4, "m1234567", "-1234567,0000"},
      {2, 3, "999999999.9999", "1000.000.000,000"},
      {2, 0, "1234567890", "1.234.567.890"},
      {2, 2, "12345678901234", "12345.678.901.234,00"},
      {2, 4, "999", "999,0000"},
      {4, 4, "150000", "0,1500 Mio."},
      {4, 4, "99000", "99000,0000"},
      {4, 4, "123456789", "0,1235 Mrd."},
      {5, 4, "123456789", "0,1235 Bio."},
      {4, 0, "150000", "0 Mio."},
      {5, 2, "m150000", "-0,15 Mio."},
      {6, 4, "1234.5", "1.2345e+03"},
      {6, 0, "m0.00012", "-1e-04"},
  });
}

TEST_F(NotationTest, IntegerNotations) {
  expectAll({
      {7, 4, "4294967295", "FFFFFFFF"},
      {7, 4, "4294967296", "!out of range 32 bit"},
      {7, 4, "m0.5", "!negative number not allowed"},
      {7, 4, "10.9", "A"},
      {10, 4, "8", "10"},
      {10, 4, "m1", "!negative number not allowed"},
      {10, 4, "m5000000000", "!out of range 32 bit"},
      {8, 4, "65.7", "A"},
      {8, 4, "0", ""},
      {8, 4, "256", "!out of range 8 bit ASCII"},
      {8, 4, "m1", "!out of range 8 bit ASCII"},
      {9, 4, "5", "0000 0101 "},
      {9, 4, "256", "0000 0001 0000 0000 "},
      {9, 4, "65536", "0000 0000 0000 0001 0000 0000 0000 0000 "},
      {9, 4, "4294967296", "!out of range 32 bit"},
  });
}

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

TEST_F(NotationTest, Fractions) {
  expectAll({
      {11, 4, "3.14159265358979", " 3 16/113"},
      {11, 2, "3.14159265358979", " 3 1/7"},
      {12, 4, "3.14159265358979", " 355/113"},
      {11, 4, "0", " 0"},
      {11, 4, "m2.5", "-2 1/2"},
      {12, 4, "m2.5", "-5/2"},
      {11, 4, "0.75", " 3/4"},
      {11, 4, "0.99999", " 2/2"},
      {11, 4, "3", " 3"},
      {11, 0, "3", "!correct fraction not found"},
      {11, 15, "3", " 3"},
      {11, 16, "3", " 3"},
      {12, 16, "0.5", " 1/2"},
      {12, 16, "0.1", " 1/10"},
      {11, 16, "3.14159265358979", "!correct fraction not found"},
      {11, 1, "3000000000.5", " 3000000000 1/2"},
      {12, 1, "3000000000.5", " 6000000001/2"},
      {11, 4, "4294967297", "!number too big"},
      {11, 4, "4294967296", " 4294967296"},
  });
}

TEST_F(NotationTest, TimeNotations) {
  expectAll({
      {13, 4, "2.5", "2'30"},
      {13, 4, "59.999", "60'00"},
      {13, 4, "2.9999", "3'00"},
      {13, 4, "m1.25", "-1'15"},
      {14, 4, "1.5", "1h30'00\""},
      {14, 4, "m0.5", "-0h30'00\""},
      {15, 4, "90", "1 h 30 min"},
      {15, 4, "90.5", "1 h 30 min 30 sec"},
      {15, 4, "61.0166666667", "1 h 1 min 1 sec"},
  });
}

TEST_F(NotationTest, HugeValuesGiveAMessageInEveryNotation) {
  for (const char* value : {"1e300", "1e4000", "m1e4000", "1.18e4932"}) {
    for (int notation = 0; notation < kNotationCount; ++notation) {
      std::string shown = show(notation, 16, value);
      EXPECT_LE(shown.size(), kResultMaxChars + 1) << notation << " " << value;
      EXPECT_FALSE(shown.empty()) << notation << " " << value;
    }
  }
  expectAll({
      {4, 4, "1e300", "!number too big"},
      {13, 4, "1e4000", "!number too big"},
      {12, 4, "1e4000", "!number too big"},
      {6, 4, "1e4000", "1.0000e+4000"},
      {2, 16, "1e290", "!number too big"},
  });
}

TEST_F(NotationTest, ResultAsInputText) {
  struct {
    int notation;
    const char* value;
    const char* input;
  } cases[] = {
      {0, "2.5", "2.5000"},
      {1, "2.5", "2,5000"},
      {2, "1234567.5", "1234567.5000"},
      {4, "150000", "150000.0000"},
      {5, "2e13", "2.0000e+13"},
      {6, "2.5", "2.5000e+00"},
      {7, "255", "#hFF"},
      {8, "65", "#aA"},
      {9, "5", "#b0000 0101 "},
      {10, "8", "#o10"},
      {11, "2.5", " 2+1/2"},
      {11, "m2.5", "-2-1/2"},
      {12, "2.5", " 5/2"},
      {13, "2.5", "2'30"},
      {14, "1.5", "1'30\"00"},
      {15, "90", "90.0000"},
  };
  for (const auto& c : cases) {
    show(c.notation, 4, c.value);
    ASSERT_TRUE(resultAsInputText()) << c.notation;
    EXPECT_EQ(inputTextBuffer, c.input) << "notation " << c.notation;
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
