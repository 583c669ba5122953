#include "engine/operators.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/calculation.h"
#include "engine/char_classes.h"
#include "engine/fault_guard.h"
#include "engine/integer_mode.h"
#include "engine/literals.h"

namespace {

// Precedence, tightest first. A term step evaluates one operator of the
// first level that has one: the last occurrence for the right-associative
// levels, else the first occurrence of either character.
struct Level {
  char first;
  char second;
  bool lastOccurrence;
};
constexpr std::array<Level, 8> kLevels = {{
    {'\'', 0, true},
    {'^', 0, true},
    {'<', '>', false},
    {'\\', 0, false},
    {'&', '|', false},
    {'~', 0, false},
    {'/', '*', false},
    {'-', '+', false},
}};

int levelOf(char op) {
  for (std::size_t i = 0; i < kLevels.size(); ++i)
    if (kLevels[i].first == op || (kLevels[i].second != 0 && kLevels[i].second == op))
      return static_cast<int>(i);
  return -1;
}

// The double-precision constants the arithmetic has always used.
constexpr long double kOneSixtieth = 1.0 / 60.0;
constexpr long double kPercent = 0.01;

long double power(Calculation& calc, long double a, long double b) {
  unsigned saved = maskFaultTraps();
  long double r = std::pow(a, b);
  unsigned raised = restoreFaultTraps(saved);
  if ((raised & kFaultInvalid) || std::isnan(r)) {
    calc.fail(Msg::PowerError);
  } else if ((raised & (kFaultOverflow | kFaultDivideByZero)) || std::isinf(r)) {
    calc.fail(Msg::PowerOverflow);
  }
  return r;
}

long double compute(Calculation& calc, char op, long double a, long double b, bool percent) {
  switch (op) {
    case '\'':
      // The sign of a negative zero counts: -0'30 is half a degree below zero.
      return std::signbit(a) ? a - b * kOneSixtieth : a + b * kOneSixtieth;
    case '*': return percent ? b * kPercent * a : operationResult(calc, a, b, op);
    case '+': return percent ? a * (b * kPercent + 1) : operationResult(calc, a, b, op);
    case '-': return percent ? a * (1 - b * kPercent) : operationResult(calc, a, b, op);
    case '/':
      if (b == 0) {
        calc.fail(Msg::DivisionByZero);
        return 0;
      }
      return checkedDivide(calc, a, percent ? b * kPercent : b);
    case '^': return power(calc, a, b);
    default: return operationResult(calc, a, b, op);
  }
}

// One operation as a guarded step: a fault comes back as the message.
long double guardedCompute(Calculation& calc, char op, long double a, long double b, bool percent) {
  volatile long double result = 0;
  if (!runGuarded([&] { result = compute(calc, op, a, b, percent); }))
    calc.fail(Message{Msg::ResultTooLarge, op, {}, a, b});
  return result;
}


// The text as a list of operand slots with the operator after each; an
// operation merges its right slot into its left one. Equivalent to rewriting
// the text, without rescanning it for every step.
class TermList {
 public:
  TermList(Calculation& calc, const std::string& text) : calc_(calc) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (!isOperatorChar(text, i)) continue;
      addSlot(text.substr(start, i - start), text[i]);
      start = i + 1;
    }
    addSlot(text.substr(start), 0);
    tail_ = static_cast<int>(slots_.size()) - 1;
  }

  bool hasOperators() const { return slots_.size() > 1; }

  // One term step: true when an operator was evaluated.
  bool step() {
    for (std::size_t level = 0; level < kLevels.size(); ++level) {
      if (counts_[level] == 0) continue;
      int slot = find(level);
      if (evaluate(slot, static_cast<int>(level))) return true;
      // A failed step lets the later levels try theirs; none of them changes
      // the text any more, but their messages may replace this one.
    }
    return false;
  }

  std::string join() const {
    std::string out;
    for (int s = 0; s >= 0; s = slots_[s].next) {
      out += slots_[s].computed ? printEngineNumber(calc_, slots_[s].value) : slots_[s].text;
      if (slots_[s].op) out += slots_[s].op;
    }
    return out;
  }

 private:
  // A computed slot holds the value an operation wrote back. Its text would
  // be that value printed "%0.20Le", which reads back to the same value, has
  // only number characters and no percent sign; so the value is used as it
  // is and printed only when the text is needed at the end.
  struct Slot {
    std::string text;
    char op;  // operator after this slot, 0 for the last
    int prev, next;
    bool computed = false;
    long double value = 0;
  };

  // The operand's value as readNumber gives it; percent: its "%" flag.
  long double operand(const Slot& slot, std::string& text, bool& percent) {
    if (slot.computed) {
      percent = false;
      return slot.value;
    }
    long double value = readNumber(calc_, text);
    percent = calc_.percentSeen;
    return value;
  }

  // The slot's text as the reader takes it, into a buffer that the steps
  // reuse; empty for a computed slot.
  static void operandText(const Slot& slot, std::string& text) {
    text.clear();
    if (slot.computed) return;
    text.append(slot.text);
    std::replace(text.begin(), text.end(), kMinusMarker, '-');
  }

  void addSlot(std::string text, char op) {
    int index = static_cast<int>(slots_.size());
    slots_.push_back({std::move(text), op, index - 1, -1});
    if (index > 0) slots_[index - 1].next = index;
    if (op) {
      ++counts_[levelOf(op)];
      cursor_[levelOf(op)] = -1;
    }
  }

  bool matches(int slot, std::size_t level) const {
    char op = slots_[slot].op;
    return op != 0 && (op == kLevels[level].first || op == kLevels[level].second);
  }

  int find(std::size_t level) {
    bool fromRight = kLevels[level].lastOccurrence;
    int s = cursor_[level] >= 0 ? cursor_[level] : (fromRight ? tail_ : 0);
    while (!matches(s, level)) s = fromRight ? slots_[s].prev : slots_[s].next;
    // Nothing of this level lies on the far side of s any more.
    cursor_[level] = s;
    return s;
  }

  bool evaluate(int slot, int level) {
    Slot& left = slots_[slot];
    Slot& right = slots_[left.next];
    operandText(left, leftText_);
    operandText(right, rightText_);
    if (!checkOperandChars(calc_, leftText_) || !checkOperandChars(calc_, rightText_)) return false;
    bool percent = false;
    long double a = operand(left, leftText_, percent);
    if (percent) calc_.fail(Msg::WrongPercent);
    long double b = operand(right, rightText_, percent);

    long double result = guardedCompute(calc_, left.op, a, b, percent);
    if (calc_.failed()) return false;

    left.computed = true;
    left.value = result;
    left.op = right.op;
    left.next = right.next;
    if (right.next >= 0) slots_[right.next].prev = slot;
    else tail_ = slot;
    --counts_[level];
    return true;
  }

  Calculation& calc_;
  std::vector<Slot> slots_;
  std::string leftText_, rightText_;
  std::array<int, kLevels.size()> counts_ = {};
  std::array<int, kLevels.size()> cursor_ = {};
  int tail_ = 0;
};

}  // namespace

std::string printEngineNumber(Calculation& calc, long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%0.20Le", value);
  rememberPrintedNumber(calc, buffer, value);
  for (char* p = buffer; *p; ++p)
    if (*p == '-') *p = kMinusMarker;
  return buffer;
}

bool reduceTerms(Calculation& calc, std::string& text) {
  TermList terms(calc, text);
  if (!terms.hasOperators()) return !calc.failed();
  while (terms.step()) {
  }
  if (calc.failed()) return false;
  text = terms.join();
  return true;
}
