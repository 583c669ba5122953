#include "store/history.h"
#include "ui/app.h"

void setTitle() {
  std::string title = "Quorvex 4.12";
  if (historyFileName != "HISTORY.TXT") title += " " + historyFileName;
  SetWindowTextA(app.main, title.c_str());
}

void trimSystemMenu(HWND window) {
  DeleteMenu(GetSystemMenu(window, FALSE), SC_MAXIMIZE, MF_BYCOMMAND);
}
