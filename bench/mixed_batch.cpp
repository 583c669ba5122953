#include "mixed_batch.h"

#include <cstdint>

namespace {

struct Template {
  const char* qvx;
  const char* bc;
};

// A, B, C and D stand for numbers; bc -l's functions are s c a l.
constexpr Template kTemplates[] = {
    {"A+B*C", "A+B*C"},
    {"(A-B)/C", "(A-B)/C"},
    {"A^2+B^3", "A^2+B^3"},
    {"sqrt(A)*B", "sqrt(A)*B"},
    {"sin(A)+cos(B)", "s(A)+c(B)"},
    {"ln(A)/B", "l(A)/B"},
    {"A*(B+C*(D-A))/7", "A*(B+C*(D-A))/7"},
    {"-A+B-C*D", "-A+B-C*D"},
    {"atan(A)*4", "a(A)*4"},
    {"(A+B)*(C-D)/(A+1)", "(A+B)*(C-D)/(A+1)"},
    {"A/B/C", "A/B/C"},
    {"2^10*A-B", "2^10*A-B"},
};

// Numbers from 1 to 999.99 with zero to two decimals.
std::string number(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  std::uint32_t r = seed >> 8;
  std::string text = std::to_string(1 + r % 999);
  switch ((r >> 12) % 3) {
    case 1: text += "." + std::to_string((r >> 16) % 10); break;
    case 2: text += "." + std::to_string(10 + (r >> 16) % 90); break;
    default: break;
  }
  return text;
}

}  // namespace

std::string mixedBatch(int count, BatchDialect dialect) {
  std::string batch;
  std::uint32_t seed = 12345;
  for (int i = 0; i < count; ++i) {
    const Template& t = kTemplates[static_cast<std::size_t>(i) % std::size(kTemplates)];
    std::string values[4];
    for (std::string& value : values) value = number(seed);
    for (const char* c = dialect == BatchDialect::Qvx ? t.qvx : t.bc; *c != '\0'; ++c) {
      if (*c >= 'A' && *c <= 'D') batch += values[*c - 'A'];
      else batch += *c;
    }
    batch += '\n';
  }
  return batch;
}
