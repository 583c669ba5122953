// What the three windows beside the main window have in common.
#include "ui/app.h"
#include "ui/command_line.h"

void createSatellite(const char* templateKey, DLGPROC procedure) {
  // The template's position counts from the main window's client area, so
  // the window comes up beside the main window wherever that stands.
  CreateDialogParamA(app.instance, templateName(templateKey).c_str(), app.main, procedure, 0);
}

void closeSatellite(HWND& handle) {
  HWND window = handle;
  handle = nullptr;
  DestroyWindow(window);
}
