// Drives the installer from outside: starts Install.exe in a fresh folder that
// also holds a stand-in Quorvex.exe, finds its dialog and its message boxes and
// answers them, and reads back what an installation leaves in the system:
// shortcut files, registry values, shell folders.
//
// Builds on automation.h (waits, window messages, texts); every wait has a
// time-out, and a failed step of setting-up throws AutomationError.
#pragma once

#include "automation.h"

#include <optional>
#include <string>
#include <string_view>

namespace automation {

// The installer to test: the environment variable QVX_INSTALL_EXE if set, else
// the path compiled in (QVX_INSTALL_EXE).
std::string installerPath();

// A shell folder of the current user (CSIDL_PROGRAMS, CSIDL_STARTMENU, ...).
std::string shellFolder(int csidl);

// What a shortcut file holds, as IShellLinkA reports it after loading.
struct Shortcut {
  std::string target;
  std::string arguments;
  std::string workingDirectory;
  std::string description;
  std::string iconFile;
  int iconIndex = 0;
};
std::optional<Shortcut> readShortcut(const std::string& path);  // nullopt when missing or unreadable

// A registry value with its type and its bytes as stored (a REG_SZ with its
// terminating zero). An empty value name is the key's default value.
struct RegistryValue {
  DWORD type = REG_NONE;
  std::string bytes;
};
std::optional<RegistryValue> registryValue(HKEY root, const std::string& key, const std::string& name = {});
bool registryKeyExists(HKEY root, const std::string& key);
void setRegistryString(HKEY root, const std::string& key, const std::string& data);  // the default value
void setRegistryValue(HKEY root, const std::string& key, const std::string& name, const RegistryValue& value);
void deleteRegistryValue(HKEY root, const std::string& key, const std::string& name);
void deleteRegistryTree(HKEY root, const std::string& key);

// File-manager windows (Explorer, Wine's winefile) are told to close.
void closeFileManagerWindows();

// Runs of the installer in one fresh folder holding a copy of it and a
// stand-in calculator. The folder is every run's working directory; given a
// length, its path is made exactly that long with subfolders inside the fresh
// one. The destructor ends a run still going and removes the folder.
class InstallerRun {
 public:
  explicit InstallerRun(size_t folderLength = 0);
  ~InstallerRun();
  InstallerRun(const InstallerRun&) = delete;
  InstallerRun& operator=(const InstallerRun&) = delete;

  const std::string& folder() const { return folder_; }
  std::string pathOf(std::string_view name) const { return folder_ + "\\" + std::string(name); }

  // Starts Install.exe with a raw argument text and does not wait; again
  // after the earlier run has ended.
  void launch(std::string_view arguments = {});
  // launch, then waitForDialog.
  HWND start(std::string_view arguments = {});
  HWND waitForDialog(milliseconds timeout = kSetupWait);

  std::optional<MessageBoxInfo> findMessageBox() const;
  MessageBoxInfo waitForMessageBox(milliseconds timeout = kSetupWait) const;
  // Answers with IDOK, IDYES, IDNO ...; waits until the box is gone.
  void answer(const MessageBoxInfo& box, int id = IDOK) const;

  HWND dialog() const;
  HWND control(int id) const;  // nullptr when the dialog has no such control
  std::string text(int id) const;
  std::string title() const { return windowText(dialog()); }
  bool checked(int id) const;
  void click(int id) const;  // BM_CLICK, for buttons whose work is quick
  // WM_COMMAND posted to the dialog: for buttons whose work shows a message
  // box, which a sent message would wait for.
  void press(int id) const;

  bool running() const;
  DWORD waitForExit(milliseconds timeout = kSetupWait);
  void kill();

 private:
  std::string top_;
  std::string folder_;
  std::string program_;
  PROCESS_INFORMATION process_{};
  HWND dialog_ = nullptr;
};

}  // namespace automation
