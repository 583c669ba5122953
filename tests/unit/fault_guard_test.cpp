#include <cstdio>
#include <cstdlib>

#include "test_support.h"

namespace {

class FaultGuardTest : public EngineTest {};

TEST_F(FaultGuardTest, CalculatorStaysUsableAfterEveryKindOfFault) {
  struct {
    int width;
    const char* formula;
    const char* message;
  } faults[] = {
      {0, "1e4000*1e4000", "!result too large: 1.00e+4000 * 1.00e+4000"},
      {0, "1e4900/1e-4900", "!result too large: 1.00e+4900 / 1.00e-4900"},
      {0, "sqr(1e3000)", "!Error function sqr(1.0000e+3000)"},
      {0, "fac(100)^fac(100)", "!overflow power of"},
      {0, "1e4000~1", "!result too large: 1.00e+4000 ~ 1.00e+00"},
      {4, "5/0.5", "!result too large: 5.00e+00 / 5.00e-01"},
      {4, "7~0", "!result too large: 7.00e+00 ~ 0.00e+00"},
      {1, "5/256", "!result too large: 5.00e+00 / 2.56e+02"},
      // The bracket is itself an integer calculation: "1e30+0" faults first.
      {4, "not(1e30)", "!result too large: 1.00e+30 + 0.00e+00"},
  };
  for (int round = 0; round < 50; ++round) {
    for (const auto& f : faults) {
      calcSettings.integerWidth = f.width;
      ASSERT_EQ(calc(f.formula), f.message) << f.formula;
      EXPECT_TRUE(faultGuard.faultPhase == FaultPhase::None);
      calcSettings.integerWidth = 0;
      ASSERT_EQ(calc("2+2"), "4.0000") << "after " << f.formula;
    }
  }
}

TEST_F(FaultGuardTest, UnderflowAndInexactStaySilent) {
  EXPECT_EQ(calc("1e-4000*1e-4000"), "0.0000");
  EXPECT_EQ(calc("1/3*3"), "1.0000");
}

TEST_F(FaultGuardTest, LongDoubleHasTheFullExtendedMantissa) {
  volatile long double one = 1, tiny = 0x1p-63L;
  EXPECT_NE(one + tiny, one);
  EXPECT_EQ(calc("2^63+1-2^63"), "1.0000");
}

[[noreturn]] void exitWithReport() {
  std::fputs("fatal fault\n", stderr);
  std::exit(1);
}

void faultOutsideEveryStep() {
  installFaultGuard();
  faultGuard.fatalExit = exitWithReport;
  volatile long double big = 1e4000L;
  volatile long double product = big * big;
  faultGuardSync();
  std::printf("%Lg\n", static_cast<long double>(product));
  std::exit(0);
}

TEST(FaultGuardDeathTest, FaultOutsideAGuardedStepEndsTheProgram) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(faultOutsideEveryStep(), ::testing::ExitedWithCode(1), "fatal fault");
}

}  // namespace
