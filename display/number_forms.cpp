#include "display/number_forms.h"

#include <cstdio>

namespace {

std::string printed(const char* format, long double x, int precision) {
  char small[128];
  int needed = std::snprintf(small, sizeof small, format, precision, x);
  if (needed < 0) return std::string();
  if (static_cast<std::size_t>(needed) < sizeof small) return small;
  // Huge values print thousands of digits; the caller decides whether they fit.
  std::string big(static_cast<std::size_t>(needed) + 1, '\0');
  std::snprintf(big.data(), big.size(), format, precision, x);
  big.resize(static_cast<std::size_t>(needed));
  return big;
}

}  // namespace

std::string fixedForm(long double x, int precision) { return printed("%.*Lf", x, precision); }

std::string exponentForm(long double x, int precision) { return printed("%.*Le", x, precision); }

std::size_t decimalPointToComma(std::string& text) {
  std::size_t pos = text.find('.');
  if (pos != std::string::npos) text[pos] = ',';
  return pos;
}
