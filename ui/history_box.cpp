// The history list of the main window: "F" shows the named entries, "H" the
// formulas, over the keys below the status line; a pick loads the entry.
#include "resource.h"
#include "ui/app.h"

namespace {

constexpr int kCoveredByList[] = {HISTORY_LIST_COVERS};

HWND listBox() { return GetDlgItem(app.main, IDC_HISTORY_LIST); }

void showCovered(int how) {
  for (int id : kCoveredByList) ShowWindow(GetDlgItem(app.main, id), how);
}

}  // namespace

void measureHistoryBox() {
  RECT entry, formulas, list;
  GetClientRect(GetDlgItem(app.main, IDC_ENTRY), &entry);
  GetClientRect(GetDlgItem(app.main, IDC_SHOW_FORMULAS), &formulas);
  GetClientRect(listBox(), &list);
  app.listWidth = entry.right + formulas.right;
  app.listHeight = list.bottom + 4;
}

void toggleHistoryBox(HistoryBox contents) {
  if (app.historyBox != HistoryBox::Hidden) {
    showCovered(SW_SHOW);
    ShowWindow(listBox(), SW_HIDE);
    app.historyBox = HistoryBox::Hidden;
    return;
  }
  SendMessageA(listBox(), LB_RESETCONTENT, 0, 0);
  for (const std::string& text : historyTexts(app.history, contents == HistoryBox::Named))
    SendMessageA(listBox(), LB_ADDSTRING, 0, (LPARAM)text.c_str());
  SetWindowPos(listBox(), HWND_TOP, 0, 0, app.listWidth, app.listHeight, SWP_NOMOVE);
  showCovered(SW_HIDE);
  ShowWindow(listBox(), SW_SHOW);
  app.historyBox = contents;
}

void hideHistoryBox() {
  if (app.historyBox != HistoryBox::Hidden) toggleHistoryBox(app.historyBox);
}

void onHistoryPicked() {
  LRESULT index = SendMessageA(listBox(), LB_GETCURSEL, 0, 0);
  LRESULT length = index >= 0 ? SendMessageA(listBox(), LB_GETTEXTLEN, index, 0) : -1;
  if (length < 0) return;
  std::string line(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(listBox(), LB_GETTEXT, index, (LPARAM)line.data());
  line.resize(static_cast<std::size_t>(length));
  hideHistoryBox();
  loadEntryText(line);
}
