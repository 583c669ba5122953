// Character tests on the formula text. Several depend on the neighbours of
// the character, so they take the text and a position.
#pragma once

#include <cstddef>
#include <string_view>

// The letter that stands for a minus sign belonging to a number.
constexpr char kMinusMarker = 'm';

inline bool isDigitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }
inline bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isRoundBracket(char c) { return c == '(' || c == ')'; }
inline bool isTimeMark(char c) { return c == 'h' || c == '\'' || c == '"'; }

// ' ^ < > \ & | ~ * / + -, where + and - count only when not after "e"
// (the sign of an exponent is never an operator).
bool isOperatorChar(std::string_view text, std::size_t pos);
bool isOperatorOrBracket(std::string_view text, std::size_t pos);
// Whether the character may belong to a number literal.
bool isNumberChar(std::string_view text, std::size_t pos);

// The same test for callers that walk a text from the left: they keep
// whether a "$" or "#" came after the last operator or bracket, so that a
// long literal is not scanned again for each of its digits.
bool isNumberChar(std::string_view text, std::size_t pos, bool basedPrefixOpen);
bool basedPrefixOpenAfter(std::string_view text, std::size_t pos, bool wasOpen);
// True when the character at pos is the character of an ASCII literal.
bool isAsciiLiteralChar(std::string_view text, std::size_t pos);
