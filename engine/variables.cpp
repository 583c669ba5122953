#include "engine/variables.h"

#include "engine/calculation.h"
#include "engine/char_classes.h"
#include "engine/driver.h"

namespace {

// A round beyond this stops the substitution: at most 41 rounds are counted,
// so a formula that needs 41 substitutions or more is a recursion.
constexpr int kMaxSubstitutionRound = 40;

// An integer operator outside integer mode, not counting the character of
// an ASCII literal ("#a<" is the number 60).
bool holdsIntegerOperator(const std::string& text) {
  for (std::size_t i = 0; i < text.size(); ++i)
    if (isIntegerOperatorChar(text[i]) && !isAsciiLiteralChar(text, i)) return true;
  return false;
}

// Position of the first occurrence of letter in text, or npos (also when
// that occurrence is the character of an ASCII literal).
std::size_t findVariable(const std::string& text, char letter) {
  std::size_t pos = text.find(letter);
  if (pos != std::string::npos && isAsciiLiteralChar(text, pos)) return std::string::npos;
  return pos;
}

}  // namespace

bool isIntegerOperatorChar(char c) { return hasCharClass(c, kIntegerOperatorClass); }

bool normalizeVariableLetters(Calculation& calc, std::string& text) {
  bool found = false;
  scanComments(text, [&](std::size_t i, Span span) {
    char& c = text[i];
    if (span == Span::Comment) c = ' ';
    if (span != Span::Formula) return;
    c = variableLetterOf(c);
    if (c >= 'V' && c <= 'Z') {
      found = true;
      if (c != 'Z' && c == calc.trial.letter) calc.trial.letterSeen = true;
    }
  });
  return found;
}

void substituteVariables(Calculation& calc, std::string& text, bool zKnown) {
  bool anyVariable = normalizeVariableLetters(calc, text);
  calc.clearMessage();
  calc.zRead = false;
  if (!anyVariable) return;
  for (;;) {
    char letter = 0;
    std::size_t pos = std::string::npos;
    for (char candidate : kSubstitutionOrder) {
      pos = findVariable(text, candidate);
      if (pos != std::string::npos) {
        letter = candidate;
        break;
      }
    }
    if (letter == 'Z') {
      calc.zRead = true;
      if (!zKnown && calc.zFirstSightingStops) {
        calc.zWanted = true;
        return;
      }
    }
    if (calc.substitutionCount++ > kMaxSubstitutionRound || letter == 0) return;

    std::string value;
    if (letter == calc.trial.letter) {
      value = calc.trial.text;
      calc.trial.used = true;
    } else if (calc.readVariable) {
      value = calc.readVariable(letter, kVariableMaxChars);
    }
    if (value.empty()) {
      calc.fail(Message{Msg::VariableEmpty, letter});
      return;
    }
    normalizeVariableLetters(calc, value);
    if (text.size() + value.size() + 1 > kFormulaMaxChars) {
      calc.fail(Msg::FormulaTooLong);
      return;
    }
    text.replace(pos, 1, "(" + value + ")");
  }
}

bool substitutionRanAway(const Calculation& calc) {
  return calc.substitutionCount > kMaxSubstitutionRound + 1;
}

bool evaluateEntry(Calculation& calc, std::string& text, bool zKnown) {
  if (text.size() > kEntryMaxChars) return calc.fail(Msg::FormulaTooLong);
  substituteVariables(calc, text, zKnown);
  if (calc.settings.integerWidth == 0 && holdsIntegerOperator(text)) calc.fail(Msg::PressPrg);
  if (substitutionRanAway(calc)) calc.fail(Msg::Recursion);
  else if (!calc.failed()) evaluateFormula(calc, text, true);
  return !calc.failed();
}
