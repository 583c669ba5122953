// The line input without a library: Windows consoles edit and recall lines
// themselves.
#include <iostream>

#include "cli/line_editor.h"

void openLineEditor(const std::vector<std::string>&) {}

bool readEditedLine(const char* prompt, std::string& line) {
  std::cout << prompt << std::flush;
  if (!std::getline(std::cin, line)) return false;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return true;
}

void closeLineEditor() {}
