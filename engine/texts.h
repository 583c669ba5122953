// Every message of the engine and number display, in English and German.
#pragma once

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
  Count
};

// The text in the language in force, as Windows-1252.
const char* pickText(Msg id);
// Both languages, for tests and tools that list them.
const char* englishText(Msg id);
const char* germanText(Msg id);
