#include "ui/edit_rules.h"

#include "engine/char_classes.h"

std::optional<std::string> operatorPressedTwice(const std::string& entry, char op) {
  if (entry.empty() || entry.back() != op) return std::nullopt;
  return "(" + entry.substr(0, entry.size() - 1) + ")" + op;
}

std::string wrapInFunction(const std::string& entry, const std::string& name) {
  if (entry.empty()) return name + "()";
  if (entry.back() == '(' || isOperatorChar(entry, entry.size() - 1)) return entry + name + "(";
  bool ownReciprocal = name == "1/" && entry.rfind("1/(", 0) == 0 && entry.back() == ')' &&
                       entry.find(')') == entry.size() - 1;
  if (ownReciprocal) return entry.substr(3, entry.size() - 4);
  return name + "(" + entry + ")";
}

StoredFormula splitStoredFormula(const std::string& text) {
  StoredFormula stored{text, {}};
  std::string& rest = stored.formula;
  // The comment state is kept from one round to the next.
  bool comment = false;
  for (;;) {
    std::size_t semicolon = std::string::npos;
    for (std::size_t i = 0; i < rest.size(); ++i) {
      if (rest[i] == '[') comment = true;
      else if (rest[i] == ']') comment = false;
      else if (rest[i] == ';' && !comment) semicolon = i;
    }
    if (semicolon == std::string::npos) return stored;

    std::size_t at = semicolon + 1;
    if (at < rest.size() && rest[at] == ' ') ++at;
    char letter = at < rest.size() ? rest[at] : '\0';
    if (letter >= 'v' && letter <= 'y') letter = static_cast<char>(letter - 32);
    bool field = letter >= 'V' && letter <= 'Y';
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

std::string variableAssignments(const std::string& v, const std::string& w, const std::string& x,
                                const std::string& y) {
  std::string parts;
  const std::pair<char, const std::string*> fields[] = {{'V', &v}, {'W', &w}, {'X', &x}, {'Y', &y}};
  for (const auto& [letter, text] : fields)
    if (!text->empty()) parts += std::string("; ") + letter + "=" + *text;
  return parts;
}
