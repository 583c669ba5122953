#include <algorithm>
#include <cmath>

#include "run/solve_request.h"
#include "solver/solver.h"
#include "test_support.h"

namespace {

struct SolveCase {
  const char* formula;
  char letter;
  const char* wanted;
  const char* firstTry;
  const char* expected;  // the field text, or "!" and the message
  const char* others = "";  // "X=1" style presets of other fields
};

class SolverTest : public EngineTest {
 protected:
  std::string solve(const SolveCase& c) {
    clearVariableTexts();
    std::string others = c.others;
    for (std::size_t start = 0; start + 2 <= others.size();) {
      std::size_t end = std::min(others.find(';', start), others.size());
      setVariableText(others[start], others.substr(start + 2, end - start - 2));
      start = end + 1;
    }
    setVariableText(c.letter, c.firstTry);
    entryText = c.formula;
    std::string field;
    if (!solveRequest(c.letter, c.wanted, c.firstTry, field)) return "!" + std::string(runStatus.errorText);
    return field;
  }
};

TEST_F(SolverTest, SolvesAndReports) {
  const SolveCase cases[] = {
      {"X^2", 'X', "4", "", "2.0000"},
      {"X^2", 'X', "-4", "", "!wanted value is imaginary"},
      {"1/X", 'X', "4", "", "!division by zero"},
      {"1/X", 'X', "4", "1", "0.2500"},
      {"X+1", 'V', "3", "", "!V in entry field missing"},
      {"X+1", 'Y', "3", "", "!Y in entry field missing"},
      {"X^2-4", 'X', "0", "", "2.0000"},
      {"X+5", 'X', "0", "", "-5.0000"},
      {"X^2", 'X', "0.000001", "", "0.0010"},
      {"X", 'X', "#hFF", "", "255.0000"},
      {"X*2", 'X', "0", "", "0.0000"},
      {"X^3", 'X', "27", "0", "3.0000"},
      {"X^2", 'X', "2", "1e4931", "1.4142"},
      {"X", 'X', "2+*3", "", "!number between operators missing"},
      {"W*3", 'W', "X", "", "2.0000", "X=6"},
      {"V^2", 'V', "V+2", "1", "2.0000"},
      {"Y", 'Y', "1e15", "", "!wanted value is imaginary"},
      {"Y+1", 'Y', "1e15", "", "!enter a first try in the Y field"},
      {"Y+1", 'Y', "1e15", "5", "!no Y value found"},
      {"X+Y", 'X', "3", "", "1.5000", "Y=X"},
      {"X+Y", 'X', "3", "", "!! recursion", "Y=W;W=Y"},
      {"X+Y", 'X', "3", "1", "!! recursion", "Y=W;W=Y"},
  };
  for (const SolveCase& c : cases) EXPECT_EQ(solve(c), c.expected) << c.formula << " = " << c.wanted;
}

TEST_F(SolverTest, ScientificNotationSearchesFurther) {
  SolveCase c{"Y", 'Y', "1e15", "", "1000000000000000.0000"};
  calcSettings.outputNotation = OutputNotation::Scientific;
  EXPECT_EQ(solve(c), c.expected);
}

TEST_F(SolverTest, TheVariableComesFromItsFieldAgainAfterASolve) {
  SolveCase c{"X^2", 'X', "-4", "", "!wanted value is imaginary"};
  EXPECT_EQ(solve(c), c.expected);
  setVariableText('X', "3");
  EXPECT_EQ(calc("X"), "3.0000");
}

TEST_F(SolverTest, SolutionsAreRightToTheShownPrecision) {
  for (int p : {0, 2, 4, 8}) {
    calcSettings.precision = p;
    for (const char* wanted : {"2", "10", "0.5", "12345"}) {
      std::string field = solve({"X^2", 'X', wanted, "", ""});
      ASSERT_NE(field[0], '!') << wanted << " p " << p << field;
      long double root = std::sqrt(std::strtold(wanted, nullptr));
      EXPECT_LE(std::fabs(std::strtold(field.c_str(), nullptr) - root), 0.6L * std::pow(10.0L, -p))
          << wanted << " p " << p << " " << field;
    }
  }
}

}  // namespace
