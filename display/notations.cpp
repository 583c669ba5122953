#include "display/notations.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "display/number_forms.h"
#include "engine/calculation.h"
#include "engine/char_classes.h"
#include "engine/literals.h"

namespace {

constexpr long double kLargest32 = 4294967295.0L;
constexpr long double kTwoTo32 = 4294967296.0L;
constexpr long double kExponentFrom = 1e12L;

// What a notation gets: the value and how to show it, and where to write a
// message that refuses the value.
struct FormatRequest {
  long double x;
  int p;
  const CalcSettings& settings;
  WaitCursor waitCursor;
  Message& refusal;

  bool refuse(Msg message) const {
    refusal = Message{message};
    return false;
  }
};

bool normalForm(long double x, int p, std::string& out, bool comma) {
  out = std::fabs(x) >= kExponentFrom ? exponentForm(x, p) : fixedForm(x, p);
  if (comma) decimalPointToComma(out);
  return true;
}

bool thousandForm(long double x, int p, std::string& out, bool commaBetweenThousands) {
  out = fixedForm(x, p);
  decimalPointToComma(out);
  auto separator = [&out] { return std::min(out.find(','), out.size()); };
  // Tested on the signed value: negative numbers get no separators.
  static constexpr struct {
    long double from;
    std::size_t digits;
  } kGroups[] = {{1e9L, 9}, {1e6L, 6}, {1e3L, 3}};
  for (const auto& group : kGroups)
    if (x >= group.from) out.insert(separator() - group.digits, 1, '.');
  if (commaBetweenThousands)
    for (char& c : out) c = c == '.' ? ',' : c == ',' ? '.' : c;
  return true;
}

bool scaledForm(long double x, int p, std::string& out, const char* thousandMillions) {
  long double millions = std::trunc(std::fabs(x));
  if (millions > 99000000) out = fixedForm(x * 1e-9L, p) + thousandMillions;
  else if (millions > 99000) out = fixedForm(x * 1e-6L, p) + " Mio.";
  else out = fixedForm(x, p);
  // Without digits after the point the abbreviation's period stays a period.
  if (p > 0) decimalPointToComma(out);
  return true;
}

bool basedForm(const FormatRequest& r, std::string& out, const char* format) {
  long double x = r.x;
  if (std::fabs(x) > kLargest32) return r.refuse(Msg::OutOfRange32);
  if (x < 0) return r.refuse(Msg::NegativeNotAllowed);
  char text[16];
  std::snprintf(text, sizeof text, format, static_cast<unsigned long>(std::trunc(x)));
  out = text;
  return true;
}

bool binaryForm(const FormatRequest& r, std::string& out) {
  long double x = r.x;
  if (std::fabs(x) > kLargest32) return r.refuse(Msg::OutOfRange32);
  int bits = 8 * r.settings.integerWidth - (r.settings.signedIntegers ? 1 : 0);
  if (bits < 7) bits = 32;
  if (std::fabs(x) > std::ldexp(1.0L, bits) || (x < 0 && !r.settings.signedIntegers))
    return r.refuse(Msg::OutOfRangeInteger);
  auto pattern = static_cast<std::uint32_t>(static_cast<std::int64_t>(std::trunc(x)));
  std::string all;
  for (int bit = 31; bit >= 0; --bit) {
    all += ((pattern >> bit) & 1) ? '1' : '0';
    if (bit % 4 == 0) all += ' ';
  }
  // Negative numbers show as many digits as their two's complement needs.
  bool eight = x < 0 ? x >= -128 : x <= 255;
  bool sixteen = x < 0 ? x >= -32768 : x <= 65535;
  out = all.substr(eight ? 30 : sixteen ? 20 : 0);
  return true;
}

bool asciiForm(const FormatRequest& r, std::string& out) {
  long double x = r.x;
  if (x < 0 || x > 255) return r.refuse(Msg::OutOfRangeAscii);
  int code = static_cast<int>(std::trunc(x));
  out = code == 0 ? std::string() : std::string(1, static_cast<char>(code));
  return true;
}

bool fractionForm(const FormatRequest& r, std::string& out, bool improper) {
  long double x = r.x;
  if (std::fabs(x) > kTwoTo32) return r.refuse(Msg::NumberTooBig);
  if (r.waitCursor) r.waitCursor(true);
  Fraction f{};
  bool found = findFraction(x, r.p, f);
  if (r.waitCursor) r.waitCursor(false);
  if (!found) return r.refuse(Msg::FractionNotFound);
  if (improper && f.numerator != 0) {
    f.numerator += f.whole * f.denominator;
    f.whole = 0;
  }
  char text[80];
  if (f.numerator == 0) std::snprintf(text, sizeof text, " %lld", f.whole);
  else if (f.whole == 0) std::snprintf(text, sizeof text, " %lld/%lld", f.numerator, f.denominator);
  else std::snprintf(text, sizeof text, " %lld %lld/%lld", f.whole, f.numerator, f.denominator);
  out = text;
  if (x < 0) out[0] = '-';
  return true;
}

// Splits hours (or minutes) into whole units and the next two sixtieths.
struct Sexagesimal {
  long double whole;
  int first;
  int second;
};
Sexagesimal split(long double value) {
  long double whole = std::trunc(value);
  long double first = (value - whole) * 60;
  long double firstWhole = std::trunc(first);
  return {whole, static_cast<int>(firstWhole), static_cast<int>((first - firstWhole) * 60)};
}

// Half a second is added before splitting, so the cut seconds are rounded.
bool timeForm(long double x, std::string& out, OutputNotation notation) {
  bool negative = x < 0;
  long double v = std::fabs(x);
  char text[64];
  std::string whole;
  if (notation == OutputNotation::MinSec) {
    v += 1.0L / 120;
    long double minutes = std::trunc(v);
    int seconds = static_cast<int>((v - minutes) * 60);
    std::snprintf(text, sizeof text, "'%02d", seconds);
    out = fixedForm(minutes, 0) + text;
  } else {
    if (notation == OutputNotation::MinutesAsHours) v *= 1.0L / 60;
    Sexagesimal hms = split(v + 1.0L / 7200);
    if (notation == OutputNotation::HourMinSec)
      std::snprintf(text, sizeof text, "h%02d'%02d\"", hms.first, hms.second);
    else if (hms.second == 0)
      std::snprintf(text, sizeof text, " h %d min", hms.first);
    else
      std::snprintf(text, sizeof text, " h %d min %d sec", hms.first, hms.second);
    out = fixedForm(hms.whole, 0) + text;
  }
  if (negative) out.insert(0, 1, '-');
  return true;
}

// The re-enterable forms: what the engine reads back as the same number.
// A plain number where the shown text has separators or words in it.
std::string asNumber(const std::string&, long double x, int p) {
  return std::fabs(x) >= kExponentFrom ? exponentForm(x, p) : fixedForm(x, p);
}
std::string asShown(const std::string& shown, long double, int) { return shown; }
template <const char* prefix>
std::string withPrefix(const std::string& shown, long double, int) { return prefix + shown; }
constexpr char kHex[] = "#h", kAscii[] = "#a", kBinary[] = "#b", kOctal[] = "#o";
// " 2 1/2" reads back as 2+1/2; "-2 1/2" as -2-1/2, the same number.
std::string asSumOfParts(const std::string& shown, long double, int) {
  std::string out = shown;
  std::replace(out.begin() + (out.empty() ? 0 : 1), out.end(), ' ', out[0] == '-' ? '-' : '+');
  return out;
}
// 1h30'15" reads back as 1'30"15: hours and minutes as degrees and minutes.
std::string asDegreeMinutes(const std::string& shown, long double, int) {
  std::string out;
  for (char c : shown) {
    if (c == '"') break;
    out += c == 'h' ? '\'' : c == '\'' ? '"' : c;
  }
  return out;
}

// Each notation: its label, how it shows a value, and how the shown text is
// typed in again.
struct NotationRow {
  OutputNotation notation;
  const char* label;
  bool (*format)(const FormatRequest& request, std::string& out);
  std::string (*inputForm)(const std::string& shown, long double x, int p);
};

const NotationRow kNotations[kNotationCount] = {
    {OutputNotation::NormalDot, "normal (dot)",
     [](const FormatRequest& r, std::string& o) { return normalForm(r.x, r.p, o, false); }, asShown},
    {OutputNotation::NormalComma, "normal (comma)",
     [](const FormatRequest& r, std::string& o) { return normalForm(r.x, r.p, o, true); }, asShown},
    {OutputNotation::ThousandDot, "thousand (dot)",
     [](const FormatRequest& r, std::string& o) { return thousandForm(r.x, r.p, o, false); }, asNumber},
    {OutputNotation::ThousandComma, "thousand (comma)",
     [](const FormatRequest& r, std::string& o) { return thousandForm(r.x, r.p, o, true); }, asNumber},
    {OutputNotation::MioMrd, "Mio. Mrd. (european)",
     [](const FormatRequest& r, std::string& o) { return scaledForm(r.x, r.p, o, " Mrd."); }, asNumber},
    {OutputNotation::MioBio, "Mio. Bio. (american)",
     [](const FormatRequest& r, std::string& o) { return scaledForm(r.x, r.p, o, " Bio."); }, asNumber},
    {OutputNotation::Scientific, "scientific (exp)",
     [](const FormatRequest& r, std::string& o) { return o = exponentForm(r.x, r.p), true; }, asShown},
    {OutputNotation::Hexadecimal, "hexadecimal",
     [](const FormatRequest& r, std::string& o) { return basedForm(r, o, "%lX"); }, withPrefix<kHex>},
    {OutputNotation::Ascii, "ASCII", [](const FormatRequest& r, std::string& o) { return asciiForm(r, o); },
     withPrefix<kAscii>},
    {OutputNotation::Binary, "binary", [](const FormatRequest& r, std::string& o) { return binaryForm(r, o); },
     withPrefix<kBinary>},
    {OutputNotation::Octal, "octal",
     [](const FormatRequest& r, std::string& o) { return basedForm(r, o, "%lo"); }, withPrefix<kOctal>},
    {OutputNotation::FractionMixed, "fraction a b/c",
     [](const FormatRequest& r, std::string& o) { return fractionForm(r, o, false); }, asSumOfParts},
    {OutputNotation::FractionImproper, "fraction a/b",
     [](const FormatRequest& r, std::string& o) { return fractionForm(r, o, true); }, asShown},
    {OutputNotation::MinSec, "min'sec",
     [](const FormatRequest& r, std::string& o) { return timeForm(r.x, o, OutputNotation::MinSec); }, asShown},
    {OutputNotation::HourMinSec, "h min sec",
     [](const FormatRequest& r, std::string& o) { return timeForm(r.x, o, OutputNotation::HourMinSec); },
     asDegreeMinutes},
    {OutputNotation::MinutesAsHours, "/60 hour min sec",
     [](const FormatRequest& r, std::string& o) { return timeForm(r.x, o, OutputNotation::MinutesAsHours); },
     asNumber},
};

const NotationRow& rowOf(OutputNotation notation) {
  int index = static_cast<int>(notation);
  return kNotations[index >= 0 && index < kNotationCount ? index : 0];
}

long double roundHalfUp(long double t) {
  long double whole = std::floor(t);
  return t - whole >= 0.5L ? whole + 1 : whole;
}

}  // namespace

const char* notationLabel(OutputNotation notation) { return rowOf(notation).label; }

bool notationFromLabel(std::string_view label, OutputNotation& notation) {
  for (const NotationRow& row : kNotations) {
    if (label == row.label) {
      notation = row.notation;
      return true;
    }
  }
  return false;
}

bool formatResult(Calculation& calc, std::string& engineText, ShownNumber& shown,
                  WaitCursor waitCursor) {
  std::replace(engineText.begin(), engineText.end(), kMinusMarker, '-');
  std::string literal = engineText;
  long double x = readNumber(calc, literal);
  if (calc.failed()) return false;
  return formatValue(calc, x, shown, waitCursor);
}

bool formatValue(Calculation& calc, long double x, ShownNumber& shown, WaitCursor waitCursor) {
  if (x == 0) x = 0;  // a negative zero shows as 0, not -0
  const CalcSettings& settings = calc.settings;
  std::string text;
  FormatRequest request{x, settings.precision, settings, waitCursor, calc.message};
  if (!rowOf(settings.outputNotation).format(request, text)) return false;
  // Notations without an exponent print every integer digit; a number too
  // long for the result field is refused rather than cut.
  if (text.size() > kResultMaxChars) return calc.fail(Msg::NumberTooBig);
  shown = {std::move(text), x};
  return true;
}

std::string inputForm(const CalcSettings& settings, const ShownNumber& shown) {
  std::string out = rowOf(settings.outputNotation).inputForm(shown.text, shown.value, settings.precision);
  return out.substr(0, kResultMaxChars);
}

bool findFraction(long double x, int precision, Fraction& fraction) {
  // The nudge lifts values a hair below a fraction onto it; at the two
  // highest precisions it must stay below the tolerance or no exact value
  // would be found.
  long double nudge = precision >= 15 ? std::pow(10.0L, -(precision + 2)) : 1e-15L;
  long double a = std::fabs(x) + nudge;
  long double whole = std::trunc(a), f = a - whole;
  long double limit = std::pow(10.0L, precision);
  if (limit < 2) return false;
  constexpr long long kLastDenominator = 200002;
  for (long long d = 2; d <= kLastDenominator && d <= limit; ++d) {
    long double t = f * static_cast<long double>(d);
    long double n = roundHalfUp(t);
    if (std::fabs(t - n) * limit < 1) {
      fraction = {static_cast<long long>(whole), static_cast<long long>(n), d};
      return true;
    }
  }
  return false;
}
