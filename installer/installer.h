// The installer program's state and the Win32 steps of installing and
// uninstalling.
#pragma once

#include <windows.h>

#include <string>

#include "installer/install_plan.h"
#include "text/language.h"

struct Installer {
  HINSTANCE instance = nullptr;
  HWND dialog = nullptr;
  bool german = false;
  bool topLevelEntry = true;
  ShellFolders folders;  // read once at start
  std::string messageCaption = "Quorvex Installation";

  Language language() const { return german ? Language::German : Language::English; }
};

extern Installer installer;

inline std::string text(InstallText id) { return installText(id, installer.german); }

// install_dialog.cpp
HWND createInstallDialog();

// shortcuts.cpp (COM initialised by the caller)
ShellFolders readShellFolders();
HRESULT createShortcut(const Shortcut& link);
void createGroupShortcuts(const InstallPlan& plan, HWND dialog);
int removeShortcuts(const ShellFolders& folders);

// registry.cpp
void registerFileType(const InstallPlan& plan);
void writeUninstallEntry(const InstallPlan& plan);
void removeRegistryEntries();

// uninstall.cpp: the process's exit code
int runUninstall(const std::string& commandLine);
