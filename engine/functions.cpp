#include "engine/functions.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <string>

#include "engine/calc_settings.h"
#include "engine/integer_mode.h"
#include "engine/run_status.h"
#include "engine/texts.h"

namespace {

// Degrees to radians, as the double-precision constant.
constexpr long double kDegree = 0.017453292519943295;

long double angleFactor() { return calcSettings.angleInDegrees ? kDegree : 1.0L; }

long double factorial(long double x) {
  long double n = std::trunc(std::fabs(x)), product = 1;
  for (long double k = 2; k <= n; ++k) product *= k;
  return product;
}

bool anyArgument(long double) { return true; }
bool unitRange(long double x) { return x >= -1 && x <= 1; }
bool positive(long double x) { return x > 0; }
bool notNegative(long double x) { return x >= 0; }
bool factorialRange(long double x) { return std::fabs(x) <= 165; }
// The cosine as cos itself shows it: tan(90) in degrees has no value.
bool tangentDefined(long double x) { return snapToZero(std::cos(x * angleFactor())) != 0; }

long double sine(long double x) { return snapToZero(std::sin(x * angleFactor())); }
long double cosine(long double x) { return snapToZero(std::cos(x * angleFactor())); }
// Always in extended precision, also in integer mode.
long double tangent(long double x) {
  long double f = angleFactor();
  return snapToZero(extendedDivide(std::sin(x * f), std::cos(x * f)));
}
long double arcSine(long double x) { return std::asin(x) / angleFactor(); }
long double arcCosine(long double x) { return std::acos(x) / angleFactor(); }
long double arcTangent(long double x) { return std::atan(x) / angleFactor(); }
long double logarithm10(long double x) { return std::log10(x); }
long double logarithmE(long double x) { return std::log(x); }
long double magnitude(long double x) { return std::fabs(x); }
long double integerPart(long double x) { return std::trunc(x); }
long double fractionalPart(long double x) { return x - std::trunc(x); }
long double square(long double x) { return x * x; }
long double squareRoot(long double x) { return std::sqrt(x); }

}  // namespace

struct FunctionRow {
  const char* name;
  long double (*value)(long double);
  bool (*inDomain)(long double);
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

bool functionAccepts(const FunctionRow& function, long double x) {
  if (function.inDomain(x)) return true;
  char argument[64];
  std::snprintf(argument, sizeof argument, "%0.4Lf", x);
  std::string format = pickText(Msg::FunctionDomain);
  format.replace(format.find("%s"), 2, function.name);
  // The argument may be long (fac of a huge number); it is cut to fit.
  format.replace(format.find("%0.4f"), 5, "%s");
  setErrorWithText(format.c_str(), argument);
  return false;
}

long double functionValue(const FunctionRow& function, long double x) { return function.value(x); }
