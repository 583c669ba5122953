// What the three windows beside the main window have in common: one dialog
// procedure, with the parts that differ in a description of each window.
#pragma once

#include "ui/app.h"

struct Satellite {
  HWND CalculatorApp::*handle;  // where the program keeps the open window
  const char* templateKey;      // "X_..." (the layout picks B_ or S_)
  int opener;                   // the main window's button; its help topic is the window's
  // At creation, once the handle is recorded; the dialog's WM_INITDIALOG answer.
  BOOL (*onInit)(HWND window);
  void (*onControl)(int id, int code);
  void (*onClose)();                // before the window goes (may be null)
  void (*onDestroy)();              // (may be null)
  void (*onRunDone)(HWND window);   // a calculation run has ended (may be null)
};

// Gives the open window the focus, or creates it beside the main window.
void openSatellite(const Satellite& satellite);
