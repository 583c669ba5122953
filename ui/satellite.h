// What the three windows beside the main window have in common: one dialog
// procedure, with the parts that differ in a description of each window.
#pragma once

#include "ui/app.h"

struct Satellite {
  HWND CalculatorApp::*handle;  // where the program keeps the open window
  const char* templateKey;      // "X_..." (the layout picks B_ or S_)
  int opener;                   // the control whose help topic is the window's (the main
                                // window's button that opens it, or one of its own)
  // At creation, once the handle is recorded; the dialog's WM_INITDIALOG answer.
  BOOL (*onInit)(HWND window);
  void (*onControl)(int id, int code);
  void (*onClose)();                // before the window goes (may be null)
  void (*onDestroy)();              // (may be null)
  void (*onRunDone)(HWND window);   // a calculation run has ended (may be null)
  // Any other message (sizing, for a window that can be sized); TRUE when
  // handled. May be null.
  INT_PTR (*onMessage)(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = nullptr;
};

// Gives the open window the focus, or creates it beside the main window.
void openSatellite(const Satellite& satellite);
