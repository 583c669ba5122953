// Clipboard texts, apart from the clipboard itself: joining pasted lines
// into one formula, and which variables an equation names.
#pragma once

#include <string>

struct JoinedLines {
  std::string line;
  std::size_t sourceChars;  // characters of the clipboard text, CR LF counting once
};

// The lines joined with "+" (not before a line that starts with "-", and
// one "+" for several breaks), leading spaces dropped: "12\r\n7\r\n-3"
// gives "12+7-3".
JoinedLines joinClipboardLines(const std::string& text);

// Whether the letter (either case) occurs in the formula outside comments.
bool variableUsed(const std::string& formula, char letter);
