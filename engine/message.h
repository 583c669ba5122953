// A message of the engine, the number display or the solver as a value:
// which fault was found and what it names. It becomes English or German
// text only where it is shown.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/texts.h"

// The longest message text: what the window's status line has room for.
constexpr std::size_t kMessageMaxChars = 51;

struct Message {
  Message() = default;
  explicit Message(Msg id, char character = 0, std::string text = {}, long double first = 0,
                   long double second = 0)
      : id(id), character(character), text(std::move(text)), first(first), second(second) {}

  Msg id = Msg::Count;  // Msg::Count: no message
  char character = 0;   // the offending character, the unknown's letter, the operator
  std::string text;     // the unknown name, the literal, the function's name
  long double first = 0, second = 0;  // a failed operation's operands; a function's argument

  bool empty() const { return id == Msg::Count; }
};

// The message as the window shows it, at most kMessageMaxChars characters:
// a name or literal that would not fit is shortened and ends in "..." so
// that the fixed words stay readable.
std::string messageText(const Message& message, Language language);

// The integer mode's counters of one run, and their text as the programmer
// window shows it: "var overflow, calc overflow".
struct IntegerNotes {
  int varOverflow = 0;
  int varTruncate = 0;
  int calcOverflow = 0;
  int calcUnderflow = 0;
};
std::vector<std::string> integerNoteTexts(const IntegerNotes& notes, Language language);
std::string integerNotesText(const IntegerNotes& notes, Language language);
