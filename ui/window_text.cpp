#include <vector>

#include "ui/app.h"

std::string controlText(HWND window, int id, std::size_t maxChars) {
  std::vector<char> buffer(maxChars + 1, '\0');
  int got = GetDlgItemTextA(window, id, buffer.data(), static_cast<int>(buffer.size()));
  return std::string(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

void setControlText(HWND window, int id, const std::string& text) {
  SetDlgItemTextA(window, id, text.c_str());
}
