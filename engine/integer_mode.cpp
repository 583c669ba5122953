#include "engine/integer_mode.h"

#include <cmath>
#include <cstdint>

#include "engine/calc_settings.h"
#include "engine/fault_guard.h"
#include "engine/run_status.h"
#include "engine/texts.h"

bool divisionFlawDetected = false;
void (*divisionFlawBeep)() = nullptr;

namespace {

constexpr long double kTwoTo63 = 9223372036854775808.0L;

int widthBits() { return 8 * calcSettings.integerWidth; }

// Reads the low bits of v as a number of the integer width.
std::int64_t wrapToWidth(std::uint64_t v) {
  int bits = widthBits();
  std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
  v &= mask;
  if (calcSettings.signedIntegers && (v >> (bits - 1)) != 0)
    return static_cast<std::int64_t>(v) - static_cast<std::int64_t>(std::uint64_t{1} << bits);
  return static_cast<std::int64_t>(v);
}

// Cutting a value beyond 64 bits to an integer is an invalid operation on
// the processor; it faults like one.
std::int64_t toInt64(long double v) {
  if (!(std::fabs(v) < kTwoTo63)) {
    raiseArithmeticFault();
    return 0;
  }
  return static_cast<std::int64_t>(v);
}

long double extendedResult(long double a, long double b, char op) {
  switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '~': return b == 0 ? 0.0L : std::fmod(static_cast<double>(a), static_cast<double>(b));
    case '<': {
      // Beyond +-20000 the power of two under- or overflows in any case.
      long double k = std::trunc(b);
      k = k > 20000 ? 20000 : k < -20000 ? -20000 : k;
      return std::ldexp(a, static_cast<int>(k));
    }
    default:
      // The bit operators have no extended meaning; the calculation run
      // refuses them outside integer mode, and so does this for other callers.
      setError(pickText(Msg::PressPrg));
      return 0;
  }
}

std::int64_t wrappedResult(std::int64_t x, std::int64_t y, char op) {
  auto ux = static_cast<std::uint64_t>(x), uy = static_cast<std::uint64_t>(y);
  unsigned shift = static_cast<unsigned>(uy & 31);
  switch (op) {
    case '&': return wrapToWidth(ux & uy);
    case '|': return wrapToWidth(ux | uy);
    case '\\': return wrapToWidth(ux ^ uy);
    case '+': return wrapToWidth(ux + uy);
    case '-': return wrapToWidth(ux - uy);
    case '*': return wrapToWidth(ux * uy);
    // 64-bit division: the 32-bit quotient of -2147483648 by -1 wraps instead
    // of trapping.
    case '/': return wrapToWidth(static_cast<std::uint64_t>(x / y));
    case '~': return wrapToWidth(static_cast<std::uint64_t>(x % y));
    case '<': return wrapToWidth(ux << shift);
    case '>':
      return wrapToWidth(calcSettings.signedIntegers ? static_cast<std::uint64_t>(x >> shift)
                                                      : ux >> shift);
    default: return 0;
  }
}

}  // namespace

long double operationResult(long double a, long double b, char op) {
  if (calcSettings.integerWidth == 0) return extendedResult(a, b, op);

  if (a - std::trunc(a) > 0 || b - std::trunc(b) > 0) ++runStatus.varTruncateCount;
  a = std::trunc(a);
  b = std::trunc(b);
  if ((op == '/' || op == '~') && b == 0) raiseArithmeticFault();

  std::int64_t x = wrapToWidth(static_cast<std::uint64_t>(toInt64(a)));
  std::int64_t y = wrapToWidth(static_cast<std::uint64_t>(toInt64(b)));
  if (static_cast<long double>(x) != a || static_cast<long double>(y) != b)
    ++runStatus.varOverflowCount;
  if (y == 0 && (op == '/' || op == '~')) raiseArithmeticFault();

  std::int64_t result = wrappedResult(x, y, op);
  auto lx = static_cast<long double>(x), ly = static_cast<long double>(y);
  switch (op) {
    case '/':
      if (result != lx / ly) ++runStatus.calcUnderflowCount;
      break;
    case '<':  // a shift that loses bits counts like a division that does
      if (result != std::ldexp(lx, static_cast<int>(static_cast<std::uint64_t>(y) & 31)))
        ++runStatus.calcUnderflowCount;
      break;
    case '+':
    case '-':
    case '*':
      if (result != extendedResult(lx, ly, op)) ++runStatus.calcOverflowCount;
      break;
    default:
      break;
  }
  return static_cast<long double>(result);
}

long double extendedDivide(long double a, long double b) {
  long double q = a / b;
  if (divisionFlawDetected && std::fabs(a - q * b) > 1e-12L) {
    q = (3 * a) / (3 * b);
    if (divisionFlawBeep) divisionFlawBeep();
  }
  return q;
}

long double checkedDivide(long double a, long double b) {
  if (calcSettings.integerWidth == 0) return extendedDivide(a, b);
  return operationResult(a, b, '/');
}

long double integerComplement(long double x) {
  if (calcSettings.integerWidth == 0) return x;
  return static_cast<long double>(wrapToWidth(~static_cast<std::uint64_t>(toInt64(std::trunc(x)))));
}

void divisionSelfTest() {
  volatile long double dividend = 5505001, divisor = 294911;
  long double difference = dividend - (dividend / divisor) * divisor;
  divisionFlawDetected = std::fabs(static_cast<double>(difference)) > 1e-12;
}
