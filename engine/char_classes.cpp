#include "engine/char_classes.h"

namespace {

bool isHexDigitOrColon(char c) {
  return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == ':';
}

}  // namespace

bool isOtherNumberChar(std::string_view text, std::size_t pos, bool basedPrefixOpen) {
  char c = text[pos];
  if (c == '$' || c == '#') return pos == 0 || isOperatorOrBracket(text, pos - 1);
  if (hasCharClass(c, kBasedLetterClass) && pos > 0 && text[pos - 1] == '#') return true;
  if (c == '%') {
    bool digitAfter = pos + 1 < text.size() && isDigitOrPoint(text[pos + 1]);
    return !digitAfter && pos > 0 &&
           (isDigitOrPoint(text[pos - 1]) || isRoundBracket(text[pos - 1]));
  }
  // A hexadecimal digit needs its "$" or "#" after the operator in front.
  return isHexDigitOrColon(c) && basedPrefixOpen;
}

bool isNumberChar(std::string_view text, std::size_t pos) {
  bool open = false;
  for (std::size_t i = pos; i-- > 0;) {
    if (text[i] == '$' || text[i] == '#') {
      open = true;
      break;
    }
    if (isOperatorOrBracket(text, i)) break;
  }
  return isNumberChar(text, pos, open);
}

bool isAsciiLiteralChar(std::string_view text, std::size_t pos) {
  return pos >= 2 && text[pos - 2] == '#' && (text[pos - 1] == 'a' || text[pos - 1] == 'A');
}
