#include <cmath>

#include "engine/literals.h"
#include "test_support.h"

namespace {

struct LiteralCase {
  const char* text;
  long double value;    // when message is empty
  const char* message;  // expected errorText, empty for success
  bool percent;
};

class LiteralTest : public EngineTest {};

TEST_F(LiteralTest, ReadsEveryForm) {
  const LiteralCase cases[] = {
      {"", 0, "", false},
      {"1.5", 1.5L, "", false},
      {"1.2.3", 12.3L, "", false},
      {"2e-3", 0.002L, "", false},
      {"e5", 0, "", false},
      {"50%", 50, "", true},
      {"-0", -0.0L, "", false},
      {"#hFFFFFFFF", 4294967295.0L, "", false},
      {"$ff", 255, "", false},
      {"#hFF:FF", 65535, "", false},
      {"-#hFF", -255, "", false},
      {"#o777", 511, "", false},
      {"#O17", 15, "", false},
      {"#o77777777777", 4294967295.0L, "", false},
      {"#b11111111", 255, "", false},
      {"#b1111:0000", 240, "", false},
      {"#B0", 0, "", false},
      {"#h100000000", 0, "hex/oct/bin number too big", false},
      {"#o777777777777", 0, "hex/oct/bin number too big", false},
      {"#b111111111111111111111111111111111", 0, "hex/oct/bin number too big", false},
      {"#o8", 0, "octal digits are 0...7 !", false},
      {"#b102", 0, "binary digits are 0 and 1", false},
      {"#h1.5", 0, "floating point hex, oct, bin not accepted", false},
      {"#h1,5", 0, "floating point hex, oct, bin not accepted", false},
      {"#x12", 0, "enter B or O or H behind #", false},
      {"#h", 0, "hex/oct/bin number not complete", false},
      {"#h::", 0, "hex/oct/bin number not complete", false},
      {"#h#h1", 0, "wrong hexadecimal input", false},
      {"$1$", 0, "wrong hexadecimal input", false},
      {"1e5000", 0, "Number too big: 1e5000", false},
      {"-1e5000", 0, "Number too big: -1e5000", false},
  };
  for (const LiteralCase& c : cases) {
    clearError();
    std::string text = c.text;
    long double value = readNumber(text);
    EXPECT_STREQ(runStatus.errorText, c.message) << c.text;
    EXPECT_EQ(percentSeen, c.percent) << c.text;
    if (c.message[0] == '\0') {
      EXPECT_EQ(value, c.value) << c.text;
      EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
    }
  }
}

TEST_F(LiteralTest, BinaryIsTwosComplementOnlyAtTheFullSignedWidth) {
  struct {
    int width;
    bool isSigned;
    const char* text;
    long double value;
  } cases[] = {
      {0, true, "#b11111111", 255},
      {1, true, "#b11111111", -1},
      {1, false, "#b11111111", 255},
      {1, true, "#b011111111", 255},
      {1, true, "#b01111111", 127},
      {2, true, "#b1000000000000000", -32768},
      {2, true, "#b11111111", 255},
      {4, true, "#b11111111111111111111111111111111", -1},
      {4, false, "#b11111111111111111111111111111111", 4294967295.0L},
      {4, true, "#hFFFFFFFF", 4294967295.0L},  // hexadecimal is never made negative
  };
  for (const auto& c : cases) {
    calcSettings.integerWidth = c.width;
    calcSettings.signedIntegers = c.isSigned;
    clearError();
    std::string text = c.text;
    EXPECT_EQ(readNumber(text), c.value) << c.text << " width " << c.width;
  }
}

TEST_F(LiteralTest, OperandCharacters) {
  struct {
    const char* operand;
    const char* message;
  } cases[] = {
      {"12.5e-3", ""}, {"#hABCDEF", ""}, {"$ff:ff", ""}, {"5%", ""}, {"-#b101", ""},
      {"5q", "q is no digit"}, {"5%3", "% is no digit"}, {"ff", "f is no digit"},
      {"1#h1", "# is no digit"}, {"%5", "% is no digit"},
  };
  for (const auto& c : cases) {
    clearError();
    EXPECT_EQ(checkOperandChars(c.operand), c.message[0] == '\0') << c.operand;
    EXPECT_STREQ(runStatus.errorText, c.message) << c.operand;
  }
}

}  // namespace
