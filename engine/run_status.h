// Per-run state that every engine step reports into.
#pragma once

#include <cstddef>
#include <string>

constexpr std::size_t kErrorTextSize = 52;  // 51 characters and the terminator

struct RunStatus {
  char errorText[kErrorTextSize] = {};  // empty means no error
  int substitutionCount = 0;
  int varOverflowCount = 0;
  int varTruncateCount = 0;
  int calcOverflowCount = 0;
  int calcUnderflowCount = 0;
};

extern RunStatus runStatus;

inline bool hasError() { return runStatus.errorText[0] != '\0'; }
void clearError();
void clearCounters();

// Copies a message into errorText, cut to the buffer.
void setError(const char* message);
// Formats a message with one text argument ("%s ?", "? %s()", ...). When the
// result would not fit errorText, the argument is shortened and ends in "..."
// so that the fixed words of the message stay readable.
void setErrorWithText(const char* format, const char* argument);
// errorText followed by the given text, shortened the same way.
void setErrorPrefixed(const char* prefix, const char* text);

// The integer counters of the last run as the programmer window shows them:
// "var overflow, calc overflow".
extern std::string statusText;
void buildStatusText();
