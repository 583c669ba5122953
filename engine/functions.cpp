#include "engine/functions.h"

#include <cmath>
#include <iterator>

#include "engine/calculation.h"
#include "engine/integer_mode.h"

namespace {

// Degrees to radians, as the double-precision constant.
constexpr long double kDegree = 0.017453292519943295;

long double angleFactor(const Calculation& calc) {
  return calc.settings.angleInDegrees ? kDegree : 1.0L;
}

long double factorial(const Calculation&, long double x) {
  long double n = std::trunc(std::fabs(x)), product = 1;
  for (long double k = 2; k <= n; ++k) product *= k;
  return product;
}

bool anyArgument(const Calculation&, long double) { return true; }
bool unitRange(const Calculation&, long double x) { return x >= -1 && x <= 1; }
bool positive(const Calculation&, long double x) { return x > 0; }
bool notNegative(const Calculation&, long double x) { return x >= 0; }
bool factorialRange(const Calculation&, long double x) { return std::fabs(x) <= 165; }
// The cosine as cos itself shows it: tan(90) in degrees has no value.
bool tangentDefined(const Calculation& calc, long double x) {
  return snapToZero(std::cos(x * angleFactor(calc))) != 0;
}

long double sine(const Calculation& calc, long double x) {
  return snapToZero(std::sin(x * angleFactor(calc)));
}
long double cosine(const Calculation& calc, long double x) {
  return snapToZero(std::cos(x * angleFactor(calc)));
}
// Always in extended precision, also in integer mode.
long double tangent(const Calculation& calc, long double x) {
  long double f = angleFactor(calc);
  return snapToZero(extendedDivide(calc, std::sin(x * f), std::cos(x * f)));
}
long double arcSine(const Calculation& calc, long double x) { return std::asin(x) / angleFactor(calc); }
long double arcCosine(const Calculation& calc, long double x) { return std::acos(x) / angleFactor(calc); }
long double arcTangent(const Calculation& calc, long double x) { return std::atan(x) / angleFactor(calc); }
long double logarithm10(const Calculation&, long double x) { return std::log10(x); }
long double logarithmE(const Calculation&, long double x) { return std::log(x); }
long double magnitude(const Calculation&, long double x) { return std::fabs(x); }
long double integerPart(const Calculation&, long double x) { return std::trunc(x); }
long double fractionalPart(const Calculation&, long double x) { return x - std::trunc(x); }
long double square(const Calculation&, long double x) { return x * x; }
long double squareRoot(const Calculation&, long double x) { return std::sqrt(x); }

}  // namespace

struct FunctionRow {
  const char* name;
  long double (*value)(const Calculation& calc, long double x);
  bool (*inDomain)(const Calculation& calc, long double x);
};

namespace {

constexpr FunctionRow kFunctions[] = {
    {"sin", sine, anyArgument},          {"cos", cosine, anyArgument},
    {"tan", tangent, tangentDefined},    {"asin", arcSine, unitRange},
    {"acos", arcCosine, unitRange},      {"atan", arcTangent, anyArgument},
    {"log", logarithm10, positive},      {"ln", logarithmE, positive},
    {"abs", magnitude, anyArgument},     {"int", integerPart, anyArgument},
    {"frac", fractionalPart, anyArgument}, {"sqr", square, anyArgument},
    {"sqrt", squareRoot, notNegative},   {"fac", factorial, factorialRange},
    {"not", integerComplement, anyArgument},
};

}  // namespace

const ConstantRow kConstants[2] = {
    {"Pi", 3.141592653589793},
    {"Eul", 2.718281828459045},
};

long double snapToZero(long double v) { return std::fabs(v) < 1e-14L ? 0.0L : v; }

const FunctionRow* findFunction(std::string_view name) {
  for (const FunctionRow& row : kFunctions)
    if (name == row.name) return &row;
  return nullptr;
}

const char* functionName(const FunctionRow& function) { return function.name; }

std::size_t functionCount() { return std::size(kFunctions); }

const char* functionNameAt(std::size_t index) {
  return index < std::size(kFunctions) ? kFunctions[index].name : nullptr;
}

bool functionAccepts(Calculation& calc, const FunctionRow& function, long double x) {
  if (function.inDomain(calc, x)) return true;
  return calc.fail(Message{Msg::FunctionDomain, 0, function.name, x});
}

long double functionValue(const Calculation& calc, const FunctionRow& function, long double x) {
  return function.value(calc, x);
}
