// The installation dialog: language, the top-level check box, help, and
// "do instal", which makes the shortcuts and registry entries at once.
#include <windows.h>
#include <objbase.h>

#include "help/help_win32.h"
#include "install_resource.h"
#include "installer/installer.h"

namespace {

void closeDialog(HWND dialog, int exitCode) {
  closeHelpOf(dialog);
  PostQuitMessage(exitCode);
  DestroyWindow(dialog);
  installer.dialog = nullptr;
}

void onInit(HWND dialog) {
  installer.dialog = dialog;
  installer.german = false;
  installer.topLevelEntry = true;
  CheckDlgButton(dialog, IDC_TOP_LEVEL, BST_CHECKED);
  detectHelpSystem(installer.language());
}

void onGermanLanguage(HWND dialog) {
  installer.german = true;
  // The help file's name follows the language.
  detectHelpSystem(installer.language());
  static constexpr struct {
    int id;
    InstallText text;
  } kControls[] = {
      {IDC_INTRO, InstallText::Intro},           {IDC_TOP_LEVEL, InstallText::TopLevelBox},
      {IDC_IN_ANY_CASE, InstallText::InAnyCase}, {IDC_WHAT_IS, InstallText::WhatIsQuorvex},
      {IDC_CANCEL, InstallText::CancelButton},   {IDC_DO_INSTAL, InstallText::DoInstal},
  };
  for (const auto& control : kControls)
    SetDlgItemTextA(dialog, control.id, text(control.text).c_str());
  // There is no way back to English within a run.
  DestroyWindow(GetDlgItem(dialog, IDC_GERMAN));
}

void onTopLevelBox(HWND dialog) {
  installer.topLevelEntry =
      SendDlgItemMessageA(dialog, IDC_TOP_LEVEL, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void onWhatIsQuorvex(HWND dialog) { showHelpTopicOf(dialog, 1, "P_intro"); }

std::string currentFolder() {
  char folder[kFolderBuffer] = {};
  DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
  // A folder that does not fit is reported by its needed size, not copied.
  if (length == 0 || length >= sizeof folder) return {};
  return folder;
}

void onDoInstal(HWND dialog) {
  // The association question has no owner, so the dialog stays usable while
  // it waits: a second press must not start a second installation.
  static bool running = false;
  if (running) return;
  running = true;
  installer.messageCaption = text(InstallText::InstallCaption);
  detectHelpSystem(installer.language());
  auto plan = makeInstallPlan(currentFolder(), installer.folders,
                              {installer.german, installer.topLevelEntry, htmlHelpInUse()});
  if (!plan) {
    MessageBoxA(dialog, text(InstallText::PathsTooLong).c_str(), installer.messageCaption.c_str(),
                MB_OK);
    closeDialog(dialog, 1);
    return;
  }

  HRESULT com = CoInitialize(nullptr);
  // Only a new group folder gets its entries: an existing one is left as it is.
  if (CreateDirectoryA(plan->linksFolder.c_str(), nullptr)) createGroupShortcuts(*plan, dialog);
  if (plan->topLevel) createShortcut(*plan->topLevel);
  createShortcut(plan->desktop);
  registerFileType(*plan);
  writeUninstallEntry(*plan);
  if (SUCCEEDED(com)) CoUninitialize();

  MessageBoxA(dialog, text(InstallText::Success).c_str(), text(InstallText::SuccessCaption).c_str(),
              MB_OK);
  closeDialog(dialog, 0);
}

void onCancel(HWND dialog) {
  MessageBoxA(dialog, text(InstallText::Cancelled).c_str(), text(InstallText::CancelCaption).c_str(),
              MB_OK);
  closeDialog(dialog, 0);
}

void onCommand(HWND dialog, int id) {
  switch (id) {
    case IDC_GERMAN: onGermanLanguage(dialog); break;
    case IDC_TOP_LEVEL: onTopLevelBox(dialog); break;
    case IDC_WHAT_IS: onWhatIsQuorvex(dialog); break;
    case IDC_DO_INSTAL: onDoInstal(dialog); break;
    case IDC_CANCEL: onCancel(dialog); break;
  }
}

INT_PTR CALLBACK installDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: onInit(dialog); return TRUE;
    case WM_COMMAND: onCommand(dialog, LOWORD(wParam)); return TRUE;
    case WM_CLOSE: closeDialog(dialog, 0); return TRUE;
  }
  return FALSE;
}

}  // namespace

HWND createInstallDialog() {
  HWND dialog =
      CreateDialogParamA(installer.instance, "INSTALL_WINDOW", nullptr, installDialogProc, 0);
  // The template is not WS_VISIBLE: a modeless dialog is shown here.
  if (dialog) ShowWindow(dialog, SW_SHOWNORMAL);
  return dialog;
}
