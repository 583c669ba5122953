#include "engine/driver.h"

#include <algorithm>
#include <cstdio>

#include "engine/calculation.h"
#include "engine/char_classes.h"
#include "engine/fault_guard.h"
#include "engine/functions.h"
#include "engine/literals.h"
#include "engine/operators.h"

namespace {

bool holdsOperator(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (isOperatorChar(text, i)) return true;
  return false;
}

// The clean-up pass over a formula as typed: drops comments, spaces and
// closing time marks, translates alternative spellings, and replaces
// constants, collecting letters into names on the way.
class CleanUp {
 public:
  CleanUp(Calculation& calc, const std::string& input) : calc_(calc), in_(input) {
    out_.reserve(input.size() + 32);
  }

  bool run() {
    for (std::size_t i = 0; i < in_.size(); ++i)
      if (!take(i)) return false;
    if (comment_) return calc_.fail(Msg::CommentOpen);
    return checkConstant(false);
  }

  std::string& output() { return out_; }

 private:
  bool take(std::size_t i) {
    char c = in_[i];
    // The character of an ASCII literal stands for itself before any other
    // rule: "#a ", "#a[" and "#ah" are 32, 91 and 104.
    if (!comment_ && out_.size() >= 2 && out_[out_.size() - 2] == '#' && out_.back() == 'a') {
      out_ += c;
      return true;
    }
    if (c == '[' || c == ']') {
      comment_ = c == '[';
      return true;
    }
    if (c == ' ' || comment_) return true;
    // A time mark before an operator, a bracket or the end closes a time
    // and means nothing: 2h and 2' read as 2.
    if (isTimeMark(c) && (i + 1 == in_.size() || isOperatorOrBracket(in_, i + 1))) return true;
    char t = c;
    if (c == ',') t = '.';
    else if (c == '"' || (c == 'h' && (i == 0 || in_[i - 1] != '#'))) t = '\'';
    else if (static_cast<unsigned char>(c) == 0xFA) t = '*';
    else if (c == 'A' && !out_.empty() && out_.back() == '#') t = 'a';
    else if (c == '*' && i > 0 && in_[i - 1] == '*' && !out_.empty() &&
             !isAsciiLiteralChar(out_, out_.size() - 1)) {
      out_.back() = '^';  // two asterisks mean power
      return true;
    }
    out_ += t;
    std::size_t pos = out_.size() - 1;
    bool numberChar = isNumberChar(out_, pos, basedPrefixOpen_);
    basedPrefixOpen_ = basedPrefixOpenAfter(out_, pos, basedPrefixOpen_);
    if (!numberChar && !isOperatorOrBracket(out_, pos)) {
      name_ += t;
      return name_.size() <= kNameMaxChars || calc_.fail(Msg::NameTooLong);
    }
    bool ok = (!name_.empty() && t == '(') ? checkFunctionName() : checkConstant(true);
    name_.clear();
    return ok;
  }

  // Start of the current name in the output; ending: a character that ended
  // the name has been written after it.
  std::size_t nameStart(bool ending) const { return out_.size() - name_.size() - (ending ? 1 : 0); }

  bool checkFunctionName() {
    if (findFunction(name_) == nullptr) return failWithName(Msg::UnknownFunction);
    std::size_t start = nameStart(true);
    if (start > 0 && !isOperatorOrBracket(out_, start - 1))
      return failWithName(Msg::OperatorLeftOfFunction);
    return true;
  }

  bool checkConstant(bool ending) {
    if (name_.empty()) return true;
    for (const ConstantRow& constant : kConstants)
      if (name_ == constant.name) return replaceConstant(constant, ending);
    return failWithName(Msg::UnknownName);
  }

  bool replaceConstant(const ConstantRow& constant, bool ending) {
    std::size_t start = nameStart(ending);
    bool numberBefore = start > 0 && !isOperatorOrBracket(out_, start - 1);
    bool numberAfter = ending && !isOperatorOrBracket(out_, out_.size() - 1);
    if (numberBefore || numberAfter) return failWithName(Msg::OperatorNearConstant);
    char printed[64];
    std::snprintf(printed, sizeof printed, "%0.20Le", constant.value);
    out_.replace(start, name_.size(), printed);
    return true;
  }

  bool failWithName(Msg id) { return calc_.fail(Message{id, 0, name_}); }

  Calculation& calc_;
  const std::string& in_;
  std::string out_;
  std::string name_;
  bool comment_ = false;
  bool basedPrefixOpen_ = false;
};

// "#a" and the character after it become that character's code, three digits.
void replaceAsciiLiterals(std::string& text) {
  if (text.find("#a") == std::string::npos) return;
  std::string out;
  out.reserve(text.size() + 8);
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.compare(i, 2, "#a") != 0) {
      out += text[i];
      continue;
    }
    unsigned code = i + 2 < text.size() ? static_cast<unsigned char>(text[i + 2]) : 0;
    char digits[4];
    std::snprintf(digits, sizeof digits, "%03u", code);
    out += digits;
    i += 2;
  }
  text.swap(out);
}

// Neighbouring characters that cannot stand together.
bool checkNeighbours(Calculation& calc, const std::string& t) {
  for (std::size_t i = 0; i + 1 < t.size(); ++i) {
    char c = t[i], d = t[i + 1];
    bool cOperator = isOperatorChar(t, i), dOperator = isOperatorChar(t, i + 1);
    if (isRoundBracket(c) && isRoundBracket(d) && c != d)
      return calc.fail(Message{Msg::BetweenBracketsMissing, c});
    if (cOperator && dOperator && d != '-') return calc.fail(Msg::NumberBetweenOperators);
    if (cOperator && d == ')') return calc.fail(Msg::NumberNearBracket);
    if (c != d && !(c == ')' && d == '%') &&
        ((!cOperator && !isLetter(c) && d == '(') || (c == ')' && !dOperator)))
      return calc.fail(Msg::OperatorNearBracket);
    if (c == '(' && dOperator && d != '-') return calc.fail(Msg::NumberAfterBracket);
  }
  return true;
}

// Steps of the full check on the cleaned text.
bool checkCleanedText(Calculation& calc, std::string& t) {
  if (t.size() >= 2 && t[0] == '-' && !isNumberChar(t, 1)) t.insert(0, 1, '0');
  replaceAsciiLiterals(t);
  // The window shows blanks either way; qvx tells an empty formula from one
  // that ends in an operator.
  if (t.empty()) return calc.fail(Msg::Blank);
  if (isOperatorChar(t, t.size() - 1)) return calc.fail(Message{Msg::Blank, t.back()});
  if (!isNumberChar(t, 0) && !isRoundBracket(t[0]) && !isLetter(t[0]))
    return calc.fail(Msg::NumberMissing);
  return checkNeighbours(calc, t);
}

// Marks the minus signs that belong to numbers, and turns "e" into the
// hexadecimal digit "E" inside hexadecimal literals.
void markNumbers(std::string& t) {
  bool hex = false;
  for (std::size_t i = 0; i < t.size(); ++i) {
    char c = t[i];
    // "#H" is as hexadecimal as "#h": without it an "e" among its digits
    // would read as an exponent and swallow the sign after it.
    if (c == '$' || ((c == 'h' || c == 'H') && i > 0 && t[i - 1] == '#')) hex = true;
    else if (isOperatorOrBracket(t, i)) hex = false;
    if (hex && c == 'e') t[i] = 'E';
    if (c != '-') continue;
    if (i > 0 && t[i - 1] == 'e') {
      t[i] = kMinusMarker;  // sign of an exponent
    } else if (i == 0 || isOperatorChar(t, i - 1)) {
      // A run of signs in front of a number folds into one: two make plus.
      std::size_t end = i;
      while (end < t.size() && (t[end] == '-' || t[end] == kMinusMarker)) ++end;
      bool negative = (end - i) % 2 == 1;
      t.replace(i, end - i, negative ? 1 : 0, kMinusMarker);
      if (!negative) --i;
    }
  }
}

// Applies a sign folded out of a name ("m" before a bracket or function).
std::string negated(const std::string& number) {
  if (!number.empty() && number[0] == kMinusMarker) return number.substr(1);
  return kMinusMarker + number;
}

// The value of a function name before a bracket, given the bracket's result.
bool applyFunctionName(Calculation& calc, const std::string& name, std::string& bracket) {
  std::string argument = bracket;
  std::replace(argument.begin(), argument.end(), kMinusMarker, '-');
  const FunctionRow* function = findFunction(name);
  if (function == nullptr) return calc.fail(Message{Msg::UnknownFunction, 0, name});
  long double x = readNumber(calc, argument);
  if (calc.failed()) return false;
  if (!functionAccepts(calc, *function, x)) return false;

  volatile long double value = 0;
  if (!runGuarded([&] { value = functionValue(calc, *function, x); }))
    return calc.fail(Message{Msg::ErrorFunction, 0, functionName(*function), x});
  bracket = printEngineNumber(calc, value);
  return true;
}

// Resolves every bracket pair, innermost and leftmost first.
bool resolveBrackets(Calculation& calc, std::string& t) {
  std::size_t scan = 0;
  std::size_t open = std::string::npos;  // the last "(" when it is the last bracket
  // Each round replaces one pair by a text without brackets.
  for (auto pairs = std::count(t.begin(), t.end(), '('); pairs > 0; --pairs) {
    std::size_t close = std::string::npos;
    for (; scan < t.size(); ++scan) {
      if (t[scan] == '(') open = scan;
      else if (t[scan] == ')' && open != std::string::npos) {
        close = scan;
        break;
      } else if (t[scan] == ')') open = std::string::npos;
    }
    if (close == std::string::npos) return calc.fail(Msg::BracketsError);

    std::string bracket = t.substr(open + 1, close - open - 1);
    if (!evaluateFormula(calc, bracket, false)) return false;

    std::size_t start = open;
    while (start > 0 && !isOperatorOrBracket(t, start - 1)) --start;
    std::string name = t.substr(start, open - start);
    // Minus markers in front of the name negate what follows them.
    std::size_t signs = std::min(name.find_first_not_of(kMinusMarker), name.size());
    if (signs < name.size() && !applyFunctionName(calc, name.substr(signs), bracket)) return false;
    if (signs % 2 == 1) bracket = negated(bracket);
    t.replace(start, close + 1 - start, bracket);

    // The text before start is as before; pick up the scan there, with the
    // last bracket in front of it.
    scan = start;
    open = std::string::npos;
    for (std::size_t i = start; i-- > 0;) {
      if (t[i] == '(') open = i;
      if (isRoundBracket(t[i])) break;
    }
  }
  return true;
}

}  // namespace

bool checkBrackets(Calculation& calc, std::string_view text) {
  auto opens = std::count(text.begin(), text.end(), '(');
  auto closes = std::count(text.begin(), text.end(), ')');
  if (opens > closes) return calc.fail(Msg::CloseMissing);
  if (closes > opens) return calc.fail(Msg::OpenMissing);
  return opens > 0 || holdsOperator(text);
}

bool evaluateFormula(Calculation& calc, std::string& text, bool full) {
  calc.clearMessage();
  if (text.size() > kFormulaMaxChars) return calc.fail(Msg::FormulaTooLong);
  std::string work;
  if (full) {
    CleanUp cleanUp(calc, text);
    if (!cleanUp.run()) return false;
    work.swap(cleanUp.output());
    if (!checkCleanedText(calc, work)) return false;
  } else {
    work = text;
  }
  markNumbers(work);
  if (calc.settings.integerWidth >= 1 && !holdsOperator(work)) work += "+0";
  if (checkBrackets(calc, work)) {
    if (!resolveBrackets(calc, work)) return false;
    if (!reduceTerms(calc, work)) return false;
  }
  removeExtraPoints(work);
  text.swap(work);
  return !calc.failed();
}
