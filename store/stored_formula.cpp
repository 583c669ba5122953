#include "store/stored_formula.h"

#include "engine/char_classes.h"
#include "engine/variables.h"

StoredFormula splitStoredFormula(const std::string& text) {
  StoredFormula stored{text, {}};
  std::string& rest = stored.formula;
  // The comment state is kept from one round to the next.
  bool comment = false;
  for (;;) {
    std::size_t semicolon = std::string::npos;
    comment = scanComments(rest, [&](std::size_t i, Span span) {
      if (rest[i] == ';' && span == Span::Formula) semicolon = i;
    }, comment);
    if (semicolon == std::string::npos) return stored;

    std::size_t at = semicolon + 1;
    if (at < rest.size() && rest[at] == ' ') ++at;
    char letter = at < rest.size() ? variableLetterOf(rest[at]) : '\0';
    bool field = kFormulaLetters.find(letter) != std::string_view::npos;
    if (field && rest.size() - at - 1 >= 2) {
      std::size_t sign = at + 1;
      if (rest[sign] == ' ') ++sign;
      if (sign >= rest.size() || rest[sign] != '=') return stored;  // no assignment: as it is
      std::size_t value = sign + 1;
      if (value < rest.size() && rest[value] == ' ') ++value;
      stored.assignments.emplace_back(letter, rest.substr(value));
    }
    rest.erase(semicolon);
  }
}

std::string variableAssignments(const std::function<std::string(char letter)>& textOf) {
  std::string parts;
  for (char letter : kFormulaLetters)
    if (std::string text = textOf(letter); !text.empty()) parts += std::string("; ") + letter + "=" + text;
  return parts;
}
