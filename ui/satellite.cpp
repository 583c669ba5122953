#include "ui/satellite.h"

#include "resource.h"
#include "ui/command_line.h"

namespace {

// Close box and Esc alike: the window's own side effects, then it is
// forgotten and destroyed.
void closeSatellite(const Satellite& satellite) {
  if (satellite.onClose) satellite.onClose();
  HWND window = app.*satellite.handle;
  app.*satellite.handle = nullptr;
  DestroyWindow(window);
}

INT_PTR CALLBACK satelliteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
  const auto* satellite = reinterpret_cast<const Satellite*>(GetWindowLongPtrA(window, DWLP_USER));
  if (satellite == nullptr) return FALSE;
  switch (message) {
    case WM_INITDIALOG:
      trimSystemMenu(window);
      app.*satellite->handle = window;
      return satellite->onInit(window);
    case WM_COMMAND:
      if (LOWORD(wParam) == IDCANCEL) closeSatellite(*satellite);
      else satellite->onControl(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_CLOSE: closeSatellite(*satellite); return TRUE;
    case WM_HELP: showHelpTopicOf(satellite->opener); return TRUE;
    case WM_USER_RUN_DONE:
      if (satellite->onRunDone) satellite->onRunDone(window);
      return TRUE;
    case WM_DESTROY:
      app.*satellite->handle = nullptr;
      if (satellite->onDestroy) satellite->onDestroy();
      return TRUE;
    default: return satellite->onMessage ? satellite->onMessage(window, message, wParam, lParam) : FALSE;
  }
}

}  // namespace

void openSatellite(const Satellite& satellite) {
  if (HWND open = app.*satellite.handle) {
    SetFocus(open);
    return;
  }
  // The template's position counts from the main window's client area, so
  // the window comes up beside the main window wherever that stands.
  CreateDialogParamA(app.instance, templateName(satellite.templateKey, settings().bigLayout).c_str(), app.main, satelliteProc,
                     reinterpret_cast<LPARAM>(&satellite));
}
