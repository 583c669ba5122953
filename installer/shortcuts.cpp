// Shell links: the program group, the top-level and desktop shortcuts, and
// their removal at uninstall.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "installer/installer.h"

namespace {

std::string specialFolder(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) return {};
  char path[MAX_PATH] = {};
  BOOL found = SHGetPathFromIDListA(list, path);
  CoTaskMemFree(list);
  return found ? path : "";
}

}  // namespace

ShellFolders readShellFolders() {
  return {specialFolder(CSIDL_PROGRAMS), specialFolder(CSIDL_STARTMENU),
          specialFolder(CSIDL_DESKTOP)};
}

HRESULT createShortcut(const Shortcut& link) {
  IShellLinkA* shellLink = nullptr;
  HRESULT status = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&shellLink));
  if (FAILED(status)) return status;
  shellLink->SetWorkingDirectory(link.workingDirectory.c_str());
  shellLink->SetPath(link.target.c_str());
  shellLink->SetDescription(link.description.c_str());
  if (link.iconFile) shellLink->SetIconLocation(link.iconFile->c_str(), link.iconIndex);
  if (link.arguments) shellLink->SetArguments(link.arguments->c_str());

  IPersistFile* file = nullptr;
  status = shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(status)) {
    WCHAR widePath[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, link.linkPath.c_str(), -1, widePath, MAX_PATH) > 0)
      status = file->Save(widePath, TRUE);
    else
      status = E_INVALIDARG;
    file->Release();
  }
  shellLink->Release();
  return status;
}

void createGroupShortcuts(const InstallPlan& plan, HWND dialog) {
  for (const Shortcut& link : plan.group) {
    // The title says which entry is being made, and keeps the last one.
    SetWindowTextA(dialog, creatingItemTitle(link.name, installer.german).c_str());
    createShortcut(link);
  }
}

int removeShortcuts(const ShellFolders& folders) {
  int count = 0;
  for (const RemovalStep& step : removalSteps(folders)) {
    BOOL removed = step.isFolder ? RemoveDirectoryA(step.path.c_str()) : DeleteFileA(step.path.c_str());
    if (removed) ++count;
  }
  return count;
}
