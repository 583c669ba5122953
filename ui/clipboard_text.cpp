#include "ui/clipboard_text.h"

#include "engine/char_classes.h"

namespace {

// The first character of the next line that leading spaces do not hide.
char nextLineStart(const std::string& text, std::size_t from) {
  while (from < text.size() && text[from] == ' ') ++from;
  return from < text.size() ? text[from] : '\0';
}

}  // namespace

JoinedLines joinClipboardLines(const std::string& text) {
  JoinedLines joined{std::string(), 0};
  bool lineStart = true, plusSinceLastText = false;
  for (std::size_t i = 0; i < text.size(); ++i, ++joined.sourceChars) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      bool end = i + 1 >= text.size();
      if (!end && nextLineStart(text, i + 1) != '-' && !plusSinceLastText) {
        joined.line += '+';
        plusSinceLastText = true;
      }
      lineStart = true;
      continue;
    }
    if (lineStart && c == ' ') continue;
    joined.line += c;
    lineStart = false;
    if (c != ' ') plusSinceLastText = false;
  }
  return joined;
}

bool variableUsed(const std::string& formula, char letter) {
  char lower = static_cast<char>(letter | 0x20), upper = static_cast<char>(letter & ~0x20);
  bool used = false;
  scanComments(formula, [&](std::size_t i, Span span) {
    used = used || (span != Span::Comment && (formula[i] == lower || formula[i] == upper));
  });
  return used;
}
