// Character tests on the formula text. Several depend on the neighbours of
// the character, so they take the text and a position.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

// The letter that stands for a minus sign belonging to a number.
constexpr char kMinusMarker = 'm';

inline bool isDigitOrPoint(char c) { return (c >= '0' && c <= '9') || c == '.'; }
inline bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
inline bool isRoundBracket(char c) { return c == '(' || c == ')'; }
inline bool isTimeMark(char c) { return c == 'h' || c == '\'' || c == '"'; }

// The character classes as one table: these tests run for every character
// of every text a calculation passes through, so a lookup beats a search of
// the character in a set.
enum CharClass : unsigned char {
  kOperatorClass = 1,         // ' ^ < > \ & | ~ * / + -
  kIntegerOperatorClass = 2,  // & | < > \ (need integer mode)
  kBasedLetterClass = 4,      // a A o O b B h H (after "#")
  kPlainNumberClass = 8,      // digits . + - e: number characters wherever they stand
};

constexpr std::array<unsigned char, 256> makeCharClassTable() {
  std::array<unsigned char, 256> table{};
  for (const char* c = "'^<>\\&|~*/+-"; *c != '\0'; ++c)
    table[static_cast<unsigned char>(*c)] |= kOperatorClass;
  for (const char* c = "&|<>\\"; *c != '\0'; ++c)
    table[static_cast<unsigned char>(*c)] |= kIntegerOperatorClass;
  for (const char* c = "aAoObBhH"; *c != '\0'; ++c)
    table[static_cast<unsigned char>(*c)] |= kBasedLetterClass;
  for (const char* c = "0123456789.+-e"; *c != '\0'; ++c)
    table[static_cast<unsigned char>(*c)] |= kPlainNumberClass;
  return table;
}
inline constexpr std::array<unsigned char, 256> kCharClasses = makeCharClassTable();

inline bool hasCharClass(char c, CharClass charClass) {
  return (kCharClasses[static_cast<unsigned char>(c)] & charClass) != 0;
}

// ' ^ < > \ & | ~ * / + -, where + and - count only when not after "e"
// (the sign of an exponent is never an operator).
inline bool isOperatorChar(std::string_view text, std::size_t pos) {
  char c = text[pos];
  if (!hasCharClass(c, kOperatorClass)) return false;
  if (c == '+' || c == '-') return pos == 0 || text[pos - 1] != 'e';
  return true;
}
inline bool isOperatorOrBracket(std::string_view text, std::size_t pos) {
  return isRoundBracket(text[pos]) || isOperatorChar(text, pos);
}
// Whether the character may belong to a number literal.
bool isNumberChar(std::string_view text, std::size_t pos);

// The same test for callers that walk a text from the left: they keep
// whether a "$" or "#" came after the last operator or bracket, so that a
// long literal is not scanned again for each of its digits.
// The characters of the plain class are the common case, tested inline.
bool isOtherNumberChar(std::string_view text, std::size_t pos, bool basedPrefixOpen);
inline bool isNumberChar(std::string_view text, std::size_t pos, bool basedPrefixOpen) {
  return hasCharClass(text[pos], kPlainNumberClass) ||
         isOtherNumberChar(text, pos, basedPrefixOpen);
}
inline bool basedPrefixOpenAfter(std::string_view text, std::size_t pos, bool wasOpen) {
  if (text[pos] == '$' || text[pos] == '#') return true;
  if (isOperatorOrBracket(text, pos)) return false;
  return wasOpen;
}
// True when the character at pos is the character of an ASCII literal.
bool isAsciiLiteralChar(std::string_view text, std::size_t pos);

// Steps through a formula as the engine reads its comments: "[" opens a
// comment and "]" closes it, but the character of an ASCII literal ("#a[",
// the number 91) is a character like any other. Calls visit(position, span)
// for every character but the comment brackets; returns whether a comment
// is open at the end, given whether one was open at the start.
enum class Span { Formula, Comment, AsciiCharacter };
template <typename Visit>
bool scanComments(std::string_view text, Visit&& visit, bool comment = false) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!comment && isAsciiLiteralChar(text, i)) {
      visit(i, Span::AsciiCharacter);
    } else if (text[i] == '[' || text[i] == ']') {
      comment = text[i] == '[';
    } else {
      visit(i, comment ? Span::Comment : Span::Formula);
    }
  }
  return comment;
}
