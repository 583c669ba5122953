#include "engine/literals.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <utility>

#include "engine/calculation.h"
#include "engine/char_classes.h"
#include "engine/fault_guard.h"

namespace {

constexpr unsigned long long kMax32 = 0xFFFFFFFFull;

long double fail(Calculation& calc, Msg message) {
  calc.fail(message);
  return 1;
}

// Length of the leading decimal number: blanks, sign, digits, point, digits,
// exponent. What the conversion reads and nothing more (no "inf", no "0x").
std::size_t decimalPrefixLength(const std::string& text) {
  std::size_t i = 0, n = text.size();
  while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && text[j] >= '0' && text[j] <= '9') {
      while (j < n && text[j] >= '0' && text[j] <= '9') ++j;
      i = j;
    }
  }
  return i;
}

bool recallPrintedNumber(const PrintedNumbers& numbers, const std::string& text, long double& value) {
  for (const PrintedNumbers::Entry& printed : numbers.entries) {
    if (text == printed.text) {
      value = printed.value;
      return true;
    }
  }
  return false;
}

long double readDecimal(Calculation& calc, std::string& text) {
  removeExtraPoints(text);
  std::string& number = calc.numberBuffer;
  number.assign(text, 0, decimalPrefixLength(text));
  long double known = 0;
  if (!number.empty() && recallPrintedNumber(calc.printed, number, known)) return known;
  volatile long double value = 0;
  const char* digits = number.c_str();
  if (!runGuarded([&] { value = std::strtold(digits, nullptr); }) || std::isinf(value)) {
    calc.fail(Message{Msg::NumberTooBigPrefix, 0, text});
    return 1;
  }
  return value;
}

long double readBinaryDigits(Calculation& calc, const std::string& text) {
  unsigned long long sum = 0, weight = 1;
  for (std::size_t i = text.size(); i-- > 2; weight <<= 1) {
    if (text[i] == '1') sum += weight;
    else if (text[i] != '0') return fail(calc, Msg::BinaryDigits);
  }
  std::size_t digits = text.size() - 2;
  int width = calc.settings.integerWidth;
  // In signed integer mode a full-width pattern with its top bit set is a
  // two's-complement negative number.
  if (width >= 1 && calc.settings.signedIntegers && text[2] == '1' &&
      digits == static_cast<std::size_t>(8 * width))
    return static_cast<long double>(sum) - std::ldexp(1.0L, 8 * width);
  return static_cast<long double>(sum);
}

long double readBased(Calculation& calc, std::string& text) {
  if (text[0] == '$') text.replace(0, 1, "#h");
  if (text.find_first_of(".,") != std::string::npos) return fail(calc, Msg::FloatingBased);
  text.erase(std::remove(text.begin(), text.end(), ':'), text.end());
  if (text.size() <= 2) return fail(calc, Msg::BasedIncomplete);

  // The letter after "#" chooses the base; a text this long (prefix
  // included) has too many digits: at most 8 hex, 11 octal, 32 binary.
  struct Base {
    char letter;
    std::size_t tooLong;
  };
  static constexpr Base kBases[] = {{'h', 11}, {'o', 14}, {'b', 35}};
  char letter = text[1] >= 'A' && text[1] <= 'Z' ? static_cast<char>(text[1] + 32) : text[1];
  const Base* base = std::find_if(std::begin(kBases), std::end(kBases),
                                  [letter](const Base& b) { return b.letter == letter; });
  if (base == std::end(kBases)) return fail(calc, Msg::BaseLetter);
  if (text.size() >= base->tooLong) return fail(calc, Msg::BasedTooBig);

  switch (letter) {
    case 'h':
      text.replace(0, 2, "0X");
      return static_cast<long double>(std::strtoull(text.c_str(), nullptr, 0) & kMax32);
    case 'o':
      text[1] = '0';
      if (std::any_of(text.begin() + 1, text.end(), [](char c) { return c > '7'; }))
        return fail(calc, Msg::OctalDigits);
      return static_cast<long double>(
          std::min(std::strtoull(text.c_str() + 1, nullptr, 0), kMax32));
    default:
      return readBinaryDigits(calc, text);
  }
}

}  // namespace

void rememberPrintedNumber(Calculation& calc, const char* text, long double value) {
  PrintedNumbers& numbers = calc.printed;
  PrintedNumbers::Entry& printed = numbers.entries[numbers.next++ % std::size(numbers.entries)];
  if (!std::isfinite(value) || std::strlen(text) >= sizeof printed.text) {
    printed.text[0] = '\0';  // an empty text is never read as a number
    return;
  }
  std::strcpy(printed.text, text);
  printed.value = value;
}

long double readNumber(Calculation& calc, std::string& text) {
  calc.percentSeen = !text.empty() && text.back() == '%';
  if (calc.percentSeen) text.pop_back();
  if (std::count_if(text.begin(), text.end(), [](char c) { return c == '$' || c == '#'; }) >= 2)
    return fail(calc, Msg::WrongHex);

  // A minus sign written straight before a based literal belongs to it.
  bool negated = text.size() > 1 && text[0] == '-' && (text[1] == '#' || text[1] == '$');
  if (negated) text.erase(0, 1);
  if (text.empty() || (text[0] != '$' && text[0] != '#')) return readDecimal(calc, text);
  long double value = readBased(calc, text);
  if (negated) {
    text.insert(0, 1, '-');
    if (!calc.failed()) value = -value;
  }
  return value;
}

bool checkOperandChars(Calculation& calc, std::string_view operand) {
  bool basedPrefixOpen = false;
  for (std::size_t i = 0; i < operand.size(); ++i) {
    bool accepted = isNumberChar(operand, i, basedPrefixOpen);
    basedPrefixOpen = basedPrefixOpenAfter(operand, i, basedPrefixOpen);
    if (!accepted) return calc.fail(Message{Msg::NoDigit, operand[i]});
  }
  return true;
}

void removeExtraPoints(std::string& text) {
  if (std::count(text.begin(), text.end(), '.') < 2) return;
  std::size_t last = text.rfind('.');
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] != '.' || i == last) out += text[i];
  text.swap(out);
}

long double readEngineNumber(Calculation& calc, const std::string& text) {
  std::string number = text;
  for (char& c : number)
    if (c == kMinusMarker) c = '-';
  std::size_t start = number[0] == '-' ? 1 : 0;
  bool based = number.size() > start && (number[start] == '#' || number[start] == '$');
  if (!based) return std::strtold(number.c_str(), nullptr);
  // The reader may report about the literal; that is no outcome of the
  // calculation that asked, whose own message stays.
  Message kept = std::exchange(calc.message, Message{});
  long double value = readNumber(calc, number);
  bool readable = !calc.failed();
  calc.message = std::move(kept);
  return readable ? value : 0;
}
