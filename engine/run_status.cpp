#include "engine/run_status.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/texts.h"

RunStatus runStatus;
std::string statusText;

void clearError() { runStatus.errorText[0] = '\0'; }

void clearCounters() {
  runStatus.varOverflowCount = 0;
  runStatus.varTruncateCount = 0;
  runStatus.calcOverflowCount = 0;
  runStatus.calcUnderflowCount = 0;
}

void setError(const char* message) {
  std::snprintf(runStatus.errorText, kErrorTextSize, "%s", message);
}

void setErrorWithText(const char* format, const char* argument) {
  std::string arg = argument;
  char buffer[kErrorTextSize];
  for (;;) {
    int needed = std::snprintf(buffer, sizeof buffer, format, arg.c_str());
    if (needed < static_cast<int>(sizeof buffer) || arg.size() <= 3) break;
    std::size_t excess = static_cast<std::size_t>(needed) - (sizeof buffer - 1);
    std::size_t keep = arg.size() > excess + 3 ? arg.size() - excess - 3 : 0;
    arg = arg.substr(0, keep) + "...";
  }
  std::memcpy(runStatus.errorText, buffer, sizeof buffer);
}

void setErrorPrefixed(const char* prefix, const char* text) {
  std::string format = prefix;
  // The prefix is a message, never a format: protect its percent signs.
  std::string escaped;
  for (char c : format) {
    escaped += c;
    if (c == '%') escaped += '%';
  }
  setErrorWithText((escaped + "%s").c_str(), text);
}

void buildStatusText() {
  struct Counter {
    const int* count;
    Msg text;
  };
  const Counter counters[] = {
      {&runStatus.varOverflowCount, Msg::VarOverflow},
      {&runStatus.varTruncateCount, Msg::VarTruncate},
      {&runStatus.calcOverflowCount, Msg::CalcOverflow},
      {&runStatus.calcUnderflowCount, Msg::CalcUnderflow},
  };
  statusText.clear();
  for (const Counter& counter : counters)
    if (*counter.count > 0) statusText += pickText(counter.text);
  if (statusText.size() > 2) statusText.resize(statusText.size() - 2);  // the last ", "
}
