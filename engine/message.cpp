#include "engine/message.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string cut(std::string text) {
  if (text.size() > kMessageMaxChars) text.resize(kMessageMaxChars);
  return text;
}

// Formats a message with one text argument ("%s ?", "? %s()", ...). When the
// result would not fit, the argument is shortened and ends in "...".
std::string withArgument(const std::string& format, const std::string& argument) {
  std::string arg = argument;
  char buffer[kMessageMaxChars + 1];
  for (;;) {
    int needed = std::snprintf(buffer, sizeof buffer, format.c_str(), arg.c_str());
    if (needed < static_cast<int>(sizeof buffer) || arg.size() <= 3) break;
    std::size_t excess = static_cast<std::size_t>(needed) - kMessageMaxChars;
    std::size_t keep = arg.size() > excess + 3 ? arg.size() - excess - 3 : 0;
    arg = arg.substr(0, keep) + "...";
  }
  return buffer;
}

// A message followed by a text, shortened the same way.
std::string withSuffix(const std::string& prefix, const std::string& text) {
  // The prefix is a message, never a format: protect its percent signs.
  std::string format;
  for (char c : prefix) {
    format += c;
    if (c == '%') format += '%';
  }
  return withArgument(format + "%s", text);
}

// The domain message's format names the function and prints the argument
// itself; the argument may be long (fac of a huge number), so it is cut to fit.
std::string domainText(const Message& message, Language language) {
  char argument[64];
  std::snprintf(argument, sizeof argument, "%0.4Lf", message.first);
  std::string format = textFor(Msg::FunctionDomain, language);
  format.replace(format.find("%s"), 2, message.text);
  format.replace(format.find("%0.4f"), 5, "%s");
  return withArgument(format, argument);
}

}  // namespace

std::string messageText(const Message& message, Language language) {
  if (message.empty()) return std::string();
  std::string text = textFor(message.id, language);
  char detail[2 * (kMessageMaxChars + 1)];
  switch (message.id) {
    case Msg::VariableEmpty:
    case Msg::NoDigit:
    case Msg::UnknownMissing:
      // The first character is a stand-in for the letter or character.
      text[0] = message.character;
      return cut(text);
    case Msg::NoValueFound:
    case Msg::EnterFirstTry:
      std::replace(text.begin(), text.end(), 'X', message.character);
      return cut(text);
    case Msg::BetweenBracketsMissing:
      return cut(textFor(message.character == '(' ? Msg::NumberWord : Msg::OperatorWord, language) +
                 text);
    case Msg::UnknownFunction:
    case Msg::OperatorLeftOfFunction:
    case Msg::UnknownName:
    case Msg::OperatorNearConstant:
      return withArgument(text, message.text);
    case Msg::NumberTooBigPrefix:
      return withSuffix(text, message.text);
    case Msg::ResultTooLarge:
      std::snprintf(detail, sizeof detail, " %0.2Le %c %0.2Le", message.first, message.character,
                    message.second);
      return withSuffix(text, detail);
    case Msg::ErrorFunction:
      std::snprintf(detail, sizeof detail, " %s(%0.4Le)", message.text.c_str(), message.first);
      return withSuffix(text, detail);
    case Msg::FunctionDomain:
      return domainText(message, language);
    default:
      return cut(text);
  }
}

std::vector<std::string> integerNoteTexts(const IntegerNotes& notes, Language language) {
  const std::pair<int, Msg> counters[] = {
      {notes.varOverflow, Msg::VarOverflow},
      {notes.varTruncate, Msg::VarTruncate},
      {notes.calcOverflow, Msg::CalcOverflow},
      {notes.calcUnderflow, Msg::CalcUnderflow},
  };
  std::vector<std::string> texts;
  for (const auto& [count, note] : counters) {
    if (count == 0) continue;
    std::string text = textFor(note, language);
    texts.push_back(text.substr(0, text.size() - 2));  // each note's text ends in ", "
  }
  return texts;
}

std::string integerNotesText(const IntegerNotes& notes, Language language) {
  std::string text;
  for (const std::string& note : integerNoteTexts(notes, language)) text += (text.empty() ? "" : ", ") + note;
  return text;
}
