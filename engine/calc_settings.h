// The settings a calculation runs with: notation, precision, angle unit,
// integer mode and language, and the window's options kept beside them.
#pragma once

#include "text/language.h"

enum class OutputNotation : int {
  NormalDot = 0,
  NormalComma,
  ThousandDot,
  ThousandComma,
  MioMrd,
  MioBio,
  Scientific,
  Hexadecimal,
  Ascii,
  Binary,
  Octal,
  FractionMixed,
  FractionImproper,
  MinSec,
  HourMinSec,
  MinutesAsHours,
};
constexpr int kNotationCount = 16;

struct CalcSettings {
  Language language = Language::English;
  bool angleInDegrees = true;
  OutputNotation outputNotation = OutputNotation::NormalDot;
  int precision = 4;  // 0..16
  OutputNotation startNotation = OutputNotation::NormalDot;
  int startPrecision = 4;
  int integerWidth = 0;  // 0 = extended numbers, else 1, 2 or 4 bytes
  bool signedIntegers = true;
  bool autoclip = false;
  bool clipvar = false;
  bool floatOnTop = false;
  // This run's layout and minimized start. What the next start does is kept
  // in the settings record's bytes, which the system menu changes.
  bool bigLayout = true;
  bool minimizedThisRun = false;
};
