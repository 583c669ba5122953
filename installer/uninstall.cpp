// The uninstall pass: no window of its own, one question, and its messages.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "installer/installer.h"

namespace {

int failed() {
  MessageBoxA(nullptr, text(InstallText::RemoveError).c_str(),
              text(InstallText::ErrorCaption).c_str(), MB_OK);
  return 1;
}

// Test seam: QUORVEX_NO_EXPLORER=1 skips the file-manager window, which the
// automated tests could not close.
bool explorerWanted() {
  const char* skip = std::getenv("QUORVEX_NO_EXPLORER");
  return !(skip && std::strcmp(skip, "1") == 0);
}

}  // namespace

int runUninstall(const std::string& commandLine) {
  const InstallerCommand command = parseInstallerCommand(commandLine);
  installer.german = command.german;
  if (!command.folder) return failed();
  installer.messageCaption = text(InstallText::UninstallCaption);

  if (MessageBoxA(nullptr, text(InstallText::UninstallQuestion).c_str(),
                  installer.messageCaption.c_str(), MB_YESNO) != IDYES)
    return 0;
  removeRegistryEntries();
  if (!removalSucceeded(removeShortcuts(installer.folders))) return failed();

  MessageBoxA(nullptr, text(InstallText::UninstallDone).c_str(), installer.messageCaption.c_str(),
              MB_OK);
  // The calculator's files stay: the user deletes the folder from here.
  if (explorerWanted())
    ShellExecuteA(nullptr, "explore", command.folder->c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  return 0;
}
