// The named functions and constants of the formula language.
#pragma once

#include <cstddef>
#include <string_view>

struct Calculation;
struct FunctionRow;

// The row of a function name (exact, lower case), or null.
const FunctionRow* findFunction(std::string_view name);

const char* functionName(const FunctionRow& function);
// The names of all functions, in table order: null from functionCount() on.
std::size_t functionCount();
const char* functionNameAt(std::size_t index);
// False, with the domain message in calc.message, when x is outside the domain.
bool functionAccepts(Calculation& calc, const FunctionRow& function, long double x);
// The value; runs inside the guarded function step.
long double functionValue(const Calculation& calc, const FunctionRow& function, long double x);

struct ConstantRow {
  const char* name;
  long double value;
};
// Pi and Eul, in lookup order.
extern const ConstantRow kConstants[2];

// 0 when |v| is below 1e-14, else v: sin(180) is exactly 0.
long double snapToZero(long double v);
