// Every message of the engine and number display, in English and German,
// and the table mechanism that the installer's texts use too.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <utility>

#include "engine/codepage.h"

// A row of a text table: a text in English and in German (UTF-8 in the
// source; shown as Windows-1252).
template <typename Id>
struct TextRow {
  Id id;
  const char* english;
  const char* german;
};

// True when every row stands at the index of its id.
template <typename Id, std::size_t N>
constexpr bool rowsInOrder(const TextRow<Id> (&rows)[N]) {
  for (std::size_t i = 0; i < N; ++i)
    if (static_cast<std::size_t>(rows[i].id) != i) return false;
  return true;
}

// The text of id in one language; the German texts are converted once.
template <typename Id, std::size_t N>
const std::string& textOf(const TextRow<Id> (&rows)[N], Id id, bool german) {
  static const std::array<std::pair<std::string, std::string>, N> texts = [&rows] {
    std::array<std::pair<std::string, std::string>, N> out;
    for (std::size_t i = 0; i < N; ++i) out[i] = {rows[i].english, utf8ToWindows1252(rows[i].german)};
    return out;
  }();
  const auto& pair = texts[static_cast<std::size_t>(id)];
  return german ? pair.second : pair.first;
}

enum class Msg : int {
  VariableEmpty,
  PressPrg,
  Recursion,
  WrongHex,
  FloatingBased,
  BasedIncomplete,
  BaseLetter,
  BasedTooBig,
  OctalDigits,
  BinaryDigits,
  NumberTooBigPrefix,
  NoDigit,
  WrongPercent,
  DivisionByZero,
  PowerOverflow,
  PowerError,
  UnknownFunction,
  OperatorLeftOfFunction,
  UnknownName,
  OperatorNearConstant,
  CommentOpen,
  Blank,
  NumberMissing,
  NumberWord,
  OperatorWord,
  BetweenBracketsMissing,
  NumberBetweenOperators,
  NumberNearBracket,
  OperatorNearBracket,
  NumberAfterBracket,
  CloseMissing,
  OpenMissing,
  BracketsError,
  FunctionDomain,
  ResultTooLarge,
  ErrorFunction,
  OutOfRange32,
  OutOfRangeInteger,
  NegativeNotAllowed,
  OutOfRangeAscii,
  NumberTooBig,
  FractionNotFound,
  FormulaTooLong,
  NameTooLong,
  WantedImaginary,
  NoValueFound,
  EnterFirstTry,
  UnknownMissing,
  VarOverflow,
  VarTruncate,
  CalcOverflow,
  CalcUnderflow,
  ErrorWord,
  HelpPrompt,
  FatalQuestion,
  MenuHelpContents,
  MenuGeneralHelp,
  MenuUsingHelp,
  MenuButtonHelp,
  MenuSmallerWindow,
  MenuBiggerWindow,
  MenuNoFloatOnTop,
  MenuFloatOnTop,
  MenuOtherLanguage,
  MenuStartMaximized,
  MenuStartMinimized,
  ButtonHelpMessage,
  RestartMessage,
  MinimizedStartMessage,
  Count
};

// The text in the language in force, as Windows-1252.
const char* pickText(Msg id);
// Both languages, for tests and tools that list them.
const char* englishText(Msg id);
const char* germanText(Msg id);
