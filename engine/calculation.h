// The engine's state for one calculator: the settings it runs with, how it
// reads the variables, and what the steps of the run under way report. Every
// engine step takes it as its first parameter; two calculators never share
// anything, so they can run side by side.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

#include "engine/calc_settings.h"
#include "engine/message.h"

// How a run reads a variable's text: by letter (V..Z), at most maxChars
// characters. The window reads its fields; qvx and the tests keep texts.
using VariableReader = std::function<std::string(char letter, std::size_t maxChars)>;

// A solve's unknown: its letter and its trial value's text, which the
// substitution takes instead of the letter's own text.
struct SolveTrial {
  char letter = 0;          // 0: no solve under way
  std::string text;
  bool used = false;        // a substitution took the trial text
  bool letterSeen = false;  // the letter occurred in a text normalized since it was cleared
};

// The last few numbers printed between steps, with their values: a bracket's
// result is read back soon after it was printed (see rememberPrintedNumber).
struct PrintedNumbers {
  struct Entry {
    char text[40] = {};
    long double value = 0;
  };
  Entry entries[4];
  unsigned next = 0;
};

struct Calculation {
  CalcSettings settings;
  VariableReader readVariable;
  // The window's rule for Z: at Z's first sighting a run stops its
  // substitution and reports zWanted, so that the window fills the Z field
  // and runs again. Off: Z is read like the other letters.
  bool zFirstSightingStops = false;
  // Processors whose divider is faulty get their quotients corrected, and
  // the front end is told (it beeps); see dividerIsFaulty.
  bool correctFaultyDivider = false;
  void (*onQuotientCorrected)() = nullptr;

  // What the run under way reports.
  Message message;          // empty: no error so far
  IntegerNotes notes;
  int substitutionCount = 0;
  bool zRead = false;       // the last substitution took Z
  bool zWanted = false;     // it stopped at Z's first sighting instead
  SolveTrial trial;

  // The literal reader's working state.
  bool percentSeen = false;  // the last literal read ended in "%"
  PrintedNumbers printed;
  std::string numberBuffer;  // one buffer for every literal: no allocation per step

  bool failed() const { return !message.empty(); }
  // Records a message and returns false, for "return calc.fail(...)". Out
  // of line and cold: the steps that may fail stay small enough to inline.
  [[gnu::cold]] bool fail(Msg id);
  [[gnu::cold]] bool fail(Message failure);
  void clearMessage() {
    if (failed()) message = Message{};
  }
};
