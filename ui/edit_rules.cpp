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
