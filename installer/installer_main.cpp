// The installer: the dialog that makes Quorvex reachable from the Start menu,
// or, with "/deinstal_e" or "/deinstal_g" and a folder, the uninstall pass.
#include <windows.h>
#include <commctrl.h>

#include "installer/installer.h"

Installer installer;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  installer.instance = instance;
  InitCommonControls();
  const std::string command = lowerAsciiLetters(commandLine ? commandLine : "");
  installer.folders = readShellFolders();
  if (parseInstallerCommand(command).uninstall) return runUninstall(command);

  if (!createInstallDialog()) {
    MessageBoxA(nullptr, "Quorvex cannot create its installation window.",
                installer.messageCaption.c_str(), MB_OK);
    return 1;
  }
  MSG message;
  int code = 0;
  int got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) > 0) {
    if (installer.dialog && IsDialogMessageA(installer.dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  if (got == 0) code = static_cast<int>(message.wParam);
  return code;
}
