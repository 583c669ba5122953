// What the formula table cannot say in a row: size limits, the fault guard,
// the code page, what no formula reaches, and the solver.
#include <cmath>
#include <cstdlib>

#include "display/number_forms.h"
#include "engine/driver.h"
#include "engine/literals.h"
#include "engine/variables.h"
#include "test_support.h"

namespace {

TEST_F(EngineTest, SizeLimits) {
  auto nested = [](int n, std::string core) { return std::string(n, '(') + core + std::string(n, ')'); };
  EXPECT_EQ(calc(nested(3000, "1+2")), "3.0000") << "deep nesting needs no deep stack";
  EXPECT_EQ(calc("-" + nested(3000, "-2")), "2.0000");
  EXPECT_EQ(calc("sqrt" + nested(1000, "16")), "4.0000");
  EXPECT_EQ(calc(nested(2000, "1+2") + ")"), "!( missing");
  std::string pairs = "(1+1)";
  for (int i = 1; i < 1200; ++i) pairs += "+(1+1)";
  EXPECT_EQ(calc(pairs), "2400.0000");
  std::string zeros(300, '0');
  EXPECT_EQ(calc("1." + zeros + "1+1"), "2.0000");
  EXPECT_EQ(calc("#h" + zeros + "F"), "!hex/oct/bin number too big");
  EXPECT_EQ(calc(std::string(kEntryMaxChars, '0')), "0.0000");
  EXPECT_EQ(calc(std::string(kEntryMaxChars + 1, '1')), "!formula too long");
  calculator.setVariableText('X', std::string(kVariableMaxChars, '1'));
  calculator.setVariableText('Y', std::string(4490, '1'));  // the work text one character too long, before W is read
  EXPECT_EQ(calc("X+X+X+Y+W"), "!formula too long");
  // A failed evaluation leaves the caller's text as it was.
  Calculation calculation;
  std::string unread = "X";
  EXPECT_FALSE(evaluateEntry(calculation, unread, true)) << "no variable reader: every text is empty";
  EXPECT_EQ(calculation.message.id, Msg::VariableEmpty);
  for (const char* formula : {"1 / 0", "2+*3", "(1+1)+(2/0)"}) {
    std::string text = formula;
    EXPECT_TRUE(!evaluateFormula(calculation, text, true) && text == formula) << formula;
  }
}

// Each kind of fault, 50 times over (the messages are rows of the table).
TEST_F(EngineTest, CalculatorStaysUsableAfterEveryKindOfFault) {
  for (int round = 0; round < 50; ++round) {
    for (auto [width, formula] : {std::pair{0, "1e4000*1e4000"}, {0, "1e4900/1e-4900"}, {0, "1e4000~1"},
                                  {0, "sqr(1e3000)"}, {0, "fac(100)^fac(100)"}, {4, "5/0.5"}, {4, "7~0"},
                                  {1, "5/256"}, {4, "not(1e30)"}}) {
      settings().integerWidth = width;
      ASSERT_EQ(calc(formula)[0], '!') << formula;
      EXPECT_FALSE(faultGuard.guarding);
      settings().integerWidth = 0;
      ASSERT_EQ(calc("2+2"), "4.0000") << "after " << formula;
    }
  }
}

TEST(FaultGuardDeathTest, FaultOutsideAGuardedStepEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  auto faultOutsideEveryStep = [] {
    installFaultGuard();
    volatile long double big = 1e4000L, product = big * big;
    faultGuardSync();
    std::printf("%Lg\n", static_cast<long double>(product));
    std::exit(0);
  };
  EXPECT_EXIT(faultOutsideEveryStep(), ::testing::ExitedWithCode(1), "floating-point fault outside the calculation");
}

TEST(CodepageTest, ConversionsBothWays) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(all)), all);
  EXPECT_EQ(windows1252ToUtf8(all.substr(0x7F, 32)), "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
  // Unmappable: "?"; not UTF-8 (a stray byte, a cut or overlong form): as it is.
  EXPECT_EQ(utf8ToWindows1252("€\xE4\xB8\xAD\xF0\x9F\x98\x80!"), "\x80?" "?!");
  for (const char* bytes : {"a\xE4" "b", "\xC3", "\xC0\xAF", "\xE0\x80\x80", "\xF5\x80\x80\x80"})
    EXPECT_EQ(utf8ToWindows1252(bytes), bytes);
  EXPECT_EQ(utf8ToWindows1252("\xC2\x80\xC2\xA0"), "?\xA0") << "U+0080 has no byte; U+00A0 is its own";
}

// Values beyond every notation, given to the display as the engine's text
// ("m" for minus), and a literal no formula lets through: the operand check
// refuses a second "#" or "$" first.
// Which fault a run found, and what it names, apart from the wording (the
// formula table checks that): the id, the character or letter, the name.
TEST_F(EngineTest, MessagesAreValues) {
  calculator.setVariableText('Y', "Y");
  const struct {
    const char* formula;
    Msg id;
    char character;
    const char* text;
  } cases[] = {
      {"1/0", Msg::DivisionByZero, 0, ""},       {"W+1", Msg::VariableEmpty, 'W', ""},
      {"2+abc", Msg::UnknownName, 0, "abc"},     {"foo(2)", Msg::UnknownFunction, 0, "foo"},
      {"2Pi", Msg::OperatorNearConstant, 0, "Pi"}, {"5%3+1", Msg::NoDigit, '%', ""},
      {"()", Msg::BetweenBracketsMissing, '(', ""}, {"(1)(2)", Msg::BetweenBracketsMissing, ')', ""},
      {"1e4000*1e4000", Msg::ResultTooLarge, '*', ""}, {"9e99999", Msg::NumberTooBigPrefix, 0, "9e99999"},
      {"sqrt(-1)", Msg::FunctionDomain, 0, "sqrt"}, {"Y", Msg::Recursion, 0, ""},
      {"1+", Msg::Blank, '+', ""},               {"[only a note]", Msg::Blank, 0, ""},
      {"2&3", Msg::PressPrg, 0, ""},
  };
  for (const auto& c : cases) {
    RunResult run = calculator.run(c.formula);
    EXPECT_FALSE(run.ok) << c.formula;
    EXPECT_EQ(static_cast<int>(run.message.id), static_cast<int>(c.id)) << c.formula;
    EXPECT_EQ(run.message.character, c.character) << c.formula;
    EXPECT_EQ(run.message.text, c.text) << c.formula;
  }
  RunResult domain = calculator.run("fac(1e30)");
  EXPECT_EQ(domain.message.first, 1e30L) << "the argument travels as a number";
  // One message, two languages, and the shortening of a long name.
  Message unknown(Msg::UnknownName, 0, std::string(60, 'q'));
  EXPECT_EQ(messageText(unknown, Language::English), std::string(46, 'q') + "... ?");
  EXPECT_EQ(messageText(Message(Msg::NoValueFound, 'W'), Language::German), "kein W gefunden");
  EXPECT_EQ(messageText(Message(), Language::German), "");
}

TEST_F(EngineTest, WhatNoFormulaReaches) {
  Calculation calculation;
  calculation.settings.precision = 16;
  for (const char* value : {"1e300", "1e4000", "m1e4000", "1.18e4932"}) {
    for (int notation = 0; notation < kNotationCount; ++notation) {
      calculation.settings.outputNotation = static_cast<OutputNotation>(notation);
      calculation.clearMessage();
      std::string text = value;
      ShownNumber number;
      std::string shown = formatResult(calculation, text, number)
                              ? number.text
                              : messageText(calculation.message, Language::English);
      EXPECT_TRUE(!shown.empty() && shown.size() <= kResultMaxChars) << notation << " " << value;
    }
  }
  EXPECT_EQ(fixedForm(std::ldexp(1.0L, 500), 0).substr(143), "27589376") << "longer than the usual buffer";
  EXPECT_EQ(calc("2.5"), "2.5000");
  EXPECT_EQ(calc("1/0"), "!division by zero");
  EXPECT_EQ(calculator.shownAsInput(), "2.5000") << "the last result shown stays after a message";
  // A processor with a faulty divider, which no machine here has: the
  // quotient is taken again from the operands times three, with a beep.
  static int beeps = 0;
  calculator.correctFaultyDivider([] { ++beeps; });
  EXPECT_EQ(calc("123456789e15/11"), "1.1223e+22");
  EXPECT_EQ(beeps, 1);
  std::string text = "$1$";
  readNumber(calculation, text);
  EXPECT_EQ(calculation.message.id, Msg::WrongHex);
}

TEST_F(EngineTest, Solve) {
  const struct {
    const char *formula, *wanted, *firstTry, *expected, *settings;
    char letter = 'X';
  } cases[] = {
      {"1/X", "4", "", "!division by zero", "@"},
      {"X+1", "3", "", "!V im Eingabefeld fehlt", "@ german", 'V'},
      {"W*3", "X", "", "2.0000", "@ X=6", 'W'},
      {"V^2", "V+2", "1", "2.0000", "@", 'V'},
      {"X+Y", "3", "1", "!! recursion", "@ Y=W W=Y"},
      {"tan(X)", "1", "45", "45.0000", "@"},  // a first try off in the last bits is polished
      {"sin(X)", "0.5", "30", "30.0000", "@"},
      {"tan(X)", "1", "", "!enter a first try in the X field", "@"},  // tan is 0 at 0: not imaginary
      {"tan(X)", "1", "45.00001", "45.0000", "@"},  // polishing across the pole at 90 is refused
      {"sin(X)", "0.5", "150.00001", "150.0000", "@"},  // polishing stays between half and twice the first try
      {"1/X", "0.1", "1", "10.0000", "@"},  // the local search lands on the answer
      {"1/(X-5)", "1", "", "6.0000", "@"},  // found by the reciprocal pass
      {"Y", "1e15", "", "1000000000000000.0000", "@ notation=6", 'Y'},
      {"Y+1", "1e15", "5", "!no Y value found", "@", 'Y'},
      {"X^2", "2", "", "1.41421356", "@ precision=8"},  // right to the precision shown
      {"X^2", "12345", "", "111", "@ precision=0"},
      {"X+Y", "3", "", "1.5000", "@ Y=X"},
  };
  for (const auto& c : cases) {
    applySettings(calculator, c.settings);
    calculator.setVariableText(c.letter, c.firstTry);
    std::string field;
    if (!calculator.solve(c.letter, c.formula, c.wanted, c.firstTry, field))
      field = "!" + windows1252ToUtf8(calculator.messageText());
    EXPECT_EQ(field, c.expected) << c.formula << " = " << c.wanted << " " << c.settings;
  }
  calculator.setVariableText('X', "3");
  EXPECT_EQ(calc("X"), "3.0000") << "after a solve of X it comes from its field again";
  // The regression window checks the wanted value alone, with no letter.
  EXPECT_TRUE(calculator.checkSolve(0, "X", "2+2") && !calculator.failed());
  calculator.setVariableText('Y', "Y");
  EXPECT_FALSE(calculator.checkSolve(0, "X", "Y"));
  EXPECT_EQ(calculator.messageText(), "! recursion");
}

}  // namespace
