#include "engine/integer_mode.h"

#include <cmath>
#include <cstdint>

#include "engine/calculation.h"
#include "engine/fault_guard.h"

namespace {

constexpr long double kTwoTo63 = 9223372036854775808.0L;

// Reads the low bits of v as a number of the integer width.
std::int64_t wrapToWidth(const CalcSettings& settings, std::uint64_t v) {
  int bits = 8 * settings.integerWidth;
  std::uint64_t mask = (std::uint64_t{1} << bits) - 1;
  v &= mask;
  if (settings.signedIntegers && (v >> (bits - 1)) != 0)
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

long double extendedResult(Calculation& calc, long double a, long double b, char op) {
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
      calc.fail(Msg::PressPrg);
      return 0;
  }
}

std::int64_t wrappedResult(const CalcSettings& settings, std::int64_t x, std::int64_t y, char op) {
  auto wrap = [&settings](std::uint64_t v) { return wrapToWidth(settings, v); };
  auto ux = static_cast<std::uint64_t>(x), uy = static_cast<std::uint64_t>(y);
  unsigned shift = static_cast<unsigned>(uy & 31);
  switch (op) {
    case '&': return wrap(ux & uy);
    case '|': return wrap(ux | uy);
    case '\\': return wrap(ux ^ uy);
    case '+': return wrap(ux + uy);
    case '-': return wrap(ux - uy);
    case '*': return wrap(ux * uy);
    // 64-bit division: the 32-bit quotient of -2147483648 by -1 wraps instead
    // of trapping.
    case '/': return wrap(static_cast<std::uint64_t>(x / y));
    case '~': return wrap(static_cast<std::uint64_t>(x % y));
    case '<': return wrap(ux << shift);
    case '>':
      return wrap(settings.signedIntegers ? static_cast<std::uint64_t>(x >> shift)
                                                      : ux >> shift);
    default: return 0;
  }
}

}  // namespace

long double operationResult(Calculation& calc, long double a, long double b, char op) {
  const CalcSettings& settings = calc.settings;
  if (settings.integerWidth == 0) return extendedResult(calc, a, b, op);

  if (a - std::trunc(a) > 0 || b - std::trunc(b) > 0) ++calc.notes.varTruncate;
  a = std::trunc(a);
  b = std::trunc(b);
  if ((op == '/' || op == '~') && b == 0) raiseArithmeticFault();

  std::int64_t x = wrapToWidth(settings, static_cast<std::uint64_t>(toInt64(a)));
  std::int64_t y = wrapToWidth(settings, static_cast<std::uint64_t>(toInt64(b)));
  if (static_cast<long double>(x) != a || static_cast<long double>(y) != b)
    ++calc.notes.varOverflow;
  if (y == 0 && (op == '/' || op == '~')) raiseArithmeticFault();

  std::int64_t result = wrappedResult(settings, x, y, op);
  auto lx = static_cast<long double>(x), ly = static_cast<long double>(y);
  switch (op) {
    case '/':
      if (result != lx / ly) ++calc.notes.calcUnderflow;
      break;
    case '<':  // a shift that loses bits counts like a division that does
      if (result != std::ldexp(lx, static_cast<int>(static_cast<std::uint64_t>(y) & 31)))
        ++calc.notes.calcUnderflow;
      break;
    case '+':
    case '-':
    case '*':
      if (result != extendedResult(calc, lx, ly, op)) ++calc.notes.calcOverflow;
      break;
    default:
      break;
  }
  return static_cast<long double>(result);
}

long double extendedDivide(const Calculation& calc, long double a, long double b) {
  long double q = a / b;
  if (calc.correctFaultyDivider && std::fabs(a - q * b) > 1e-12L) {
    q = (3 * a) / (3 * b);
    if (calc.onQuotientCorrected) calc.onQuotientCorrected();
  }
  return q;
}

long double checkedDivide(Calculation& calc, long double a, long double b) {
  if (calc.settings.integerWidth == 0) return extendedDivide(calc, a, b);
  return operationResult(calc, a, b, '/');
}

long double integerComplement(const Calculation& calc, long double x) {
  if (calc.settings.integerWidth == 0) return x;
  auto bits = static_cast<std::uint64_t>(toInt64(std::trunc(x)));
  return static_cast<long double>(wrapToWidth(calc.settings, ~bits));
}

bool dividerIsFaulty() {
  volatile long double dividend = 5505001, divisor = 294911;
  long double difference = dividend - (dividend / divisor) * divisor;
  return std::fabs(static_cast<double>(difference)) > 1e-12;
}
