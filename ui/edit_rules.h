// The text rules behind the calculator's editing buttons, apart from the
// window: the operator pressed twice and function wrapping.
#pragma once

#include <optional>
#include <string>

// The entry after the operator button op was pressed while the entry ends
// with that operator: "1+2*" and "*" give "(1+2)*". Nothing otherwise.
std::optional<std::string> operatorPressedTwice(const std::string& entry, char op);

// The entry after a function button: name() for an empty entry, name( after
// an operator or "(", name(entry) otherwise; "1/" undoes its own reciprocal.
std::string wrapInFunction(const std::string& entry, const std::string& name);
