// The history list of the main window: "F" shows the named entries, "H" the
// formulas, over the keys below the status line; a pick loads the entry.
#include "resource.h"
#include "store/history.h"
#include "ui/app.h"

namespace {

// The controls the list covers while it is shown: all below the status line
// but the left key column.
constexpr int kCoveredByList[] = {
    IDC_BACKSPACE, IDC_CARET_HOME, IDC_CARET_LEFT, IDC_CARET_RIGHT, IDC_CARET_END,
    IDC_DELETE_RIGHT, IDC_HELP_MODE, IDC_AUTOCLIP, IDC_CLIPVAR, IDC_NOTATION, IDC_PRECISION,
    IDC_LETTER_V, IDC_LETTER_W, IDC_LETTER_X, IDC_LETTER_Y, IDC_FIELD_V, IDC_FIELD_W,
    IDC_FIELD_X, IDC_FIELD_Y, IDC_OPEN_FUNCTIONS, IDC_RECIPROCAL, IDC_PERCENT, IDC_ALL_CLEAR,
    IDC_UNDO, IDC_DIGIT_8, IDC_DIGIT_9, IDC_POWER, IDC_DEGREE_MINUTE, IDC_COMMENT, IDC_DIGIT_5,
    IDC_DIGIT_6, IDC_TIMES, IDC_DIVIDE, IDC_OPEN_REGRESSION, IDC_DIGIT_2, IDC_DIGIT_3,
    IDC_PLUS, IDC_MINUS, IDC_POINT, IDC_EXPONENT, IDC_OPEN_BRACKET, IDC_CLOSE_BRACKET,
    IDC_FORMAT_GROUP, IDC_PRECISION_LABEL, IDC_PRECISION_SPIN,
};

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
  for (const std::string& text : historyTexts(contents == HistoryBox::Named))
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
