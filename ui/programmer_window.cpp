// The programmer window: hexadecimal digits, number prefixes, the integer
// operators, and the integer mode, which is on exactly while it is open.
#include <utility>

#include "resource.h"
#include "ui/app.h"
#include "ui/satellite.h"

namespace {

HFONT notesFont = nullptr;

// The width and sign buttons and what they set.
constexpr std::pair<int, int> kWidthButtons[] = {{IDC_WIDTH_4, 4}, {IDC_WIDTH_2, 2}, {IDC_WIDTH_1, 1}};
constexpr std::pair<int, bool> kSignButtons[] = {{IDC_SIGNED, true}, {IDC_UNSIGNED, false}};

void createNotesFont(HWND window) {
  HDC device = GetDC(window);
  int pixelsPerInch = GetDeviceCaps(device, LOGPIXELSY);
  ReleaseDC(window, device);
  notesFont = CreateFontA(-MulDiv(pixelsPerInch, settings().bigLayout ? 10 : 8, 52), 0, 0, 0,
                          FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                          CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS,
                          "MS Sans Serif");
  SendDlgItemMessageA(window, IDC_INTEGER_NOTES, WM_SETFONT, (WPARAM)notesFont, TRUE);
}

BOOL onInit(HWND window) {
  createNotesFont(window);
  // The width always starts at 4 bytes; the signedness is kept between
  // openings.
  settings().integerWidth = 4;
  CheckRadioButton(window, IDC_WIDTH_4, IDC_WIDTH_1, IDC_WIDTH_4);
  CheckRadioButton(window, IDC_SIGNED, IDC_UNSIGNED, settings().signedIntegers ? IDC_SIGNED : IDC_UNSIGNED);
  SendMessageA(app.main, WM_USER_SHOW_PRECISION, 0, 0);
  runCalculation();
  return TRUE;
}

void onControl(int id, int code) {
  SendMessageA(app.main, WM_USER_PROGRAMMER_BUTTON, id, 0);
  if (app.helpMode) {
    showHelpFor(id);
    return;
  }
  if (code != BN_CLICKED) return;
  for (auto [button, width] : kWidthButtons) {
    if (button == id) {
      settings().integerWidth = width;
      runCalculation();
    }
  }
  for (auto [button, isSigned] : kSignButtons) {
    if (button == id) {
      settings().signedIntegers = isSigned;
      runCalculation();
    }
  }
}

void onClose() {
  settings().integerWidth = 0;
  SendMessageA(app.main, WM_USER_SHOW_PRECISION, 0, 0);
}

void onDestroy() {
  if (notesFont) DeleteObject(notesFont);
  notesFont = nullptr;
}

void onRunDone(HWND window) { setControlText(window, IDC_INTEGER_NOTES, app.calculator.notesText()); }

const Satellite kProgrammerWindow = {&CalculatorApp::programmer, "X_HEX_WINDOW", IDC_OPEN_PROGRAMMER,
                                     onInit, onControl, onClose, onDestroy, onRunDone, nullptr};

}  // namespace

void openProgrammerWindow() { openSatellite(kProgrammerWindow); }
