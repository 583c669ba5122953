#include "installer_automation.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace automation {

namespace {

constexpr int kMessageTextId = 0xFFFF;
constexpr int kTopLevelBoxId = 804;  // what tells the installer's dialog apart

struct WindowSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId) search->found.push_back(window);
  return TRUE;
}

// The process's top-level windows, for an error that says what came instead.
std::string describeWindowsOf(DWORD processId) {
  WindowSearch search{processId, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  std::string text;
  for (HWND window : search.found) {
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    text += std::string(text.empty() ? "" : ", ") + className(window) + " \"" + title + "\"" +
            (IsWindowVisible(window) ? "" : " (hidden)");
  }
  return text.empty() ? "no windows" : "its windows: " + text;
}

void writeFile(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw AutomationError("cannot write " + path);
}

BOOL CALLBACK closeIfFileManager(HWND window, LPARAM) {
  std::string name = className(window);
  if (name == "CabinetWClass" || name == "ExploreWClass" || name == "WFS_Frame") {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

}  // namespace

std::string installerPath() {
  if (const char* fromEnvironment = std::getenv("QVX_INSTALL_EXE"); fromEnvironment && *fromEnvironment) {
    return windowsPath(fromEnvironment);
  }
#ifdef QVX_INSTALL_EXE
  return windowsPath(QVX_INSTALL_EXE);
#else
  return {};
#endif
}

std::string shellFolder(int csidl) {
  char path[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) {
    throw AutomationError("no shell folder " + std::to_string(csidl));
  }
  return path;
}

std::optional<Shortcut> readShortcut(const std::string& path) {
  if (!fileExists(path)) return std::nullopt;
  HRESULT com = CoInitialize(nullptr);
  std::optional<Shortcut> result;
  IShellLinkA* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t widePath[MAX_PATH + 1] = {};
      MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
      if (SUCCEEDED(file->Load(widePath, STGM_READ))) {
        char text[1024];
        Shortcut shortcut;
        // The raw path: the target as written, not resolved against the disk.
        text[0] = '\0';
        link->GetPath(text, sizeof text, nullptr, SLGP_RAWPATH);
        shortcut.target = text;
        text[0] = '\0';
        link->GetArguments(text, sizeof text);
        shortcut.arguments = text;
        text[0] = '\0';
        link->GetWorkingDirectory(text, sizeof text);
        shortcut.workingDirectory = text;
        text[0] = '\0';
        link->GetDescription(text, sizeof text);
        shortcut.description = text;
        text[0] = '\0';
        link->GetIconLocation(text, sizeof text, &shortcut.iconIndex);
        shortcut.iconFile = text;
        result = shortcut;
      }
      file->Release();
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return result;
}

std::optional<RegistryValue> registryValue(HKEY root, const std::string& key, const std::string& name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) return std::nullopt;
  RegistryValue value;
  DWORD size = 0;
  LONG status = RegQueryValueExA(handle, name.c_str(), nullptr, &value.type, nullptr, &size);
  if (status == ERROR_SUCCESS) {
    value.bytes.resize(size);
    status = RegQueryValueExA(handle, name.c_str(), nullptr, &value.type,
                              reinterpret_cast<BYTE*>(value.bytes.data()), &size);
    value.bytes.resize(size);
  }
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) return std::nullopt;
  return value;
}

bool registryKeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void setRegistryString(HKEY root, const std::string& key, const std::string& data) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    throw AutomationError(lastErrorText("cannot create the registry key " + key));
  }
  LONG status = RegSetValueExA(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                               static_cast<DWORD>(data.size() + 1));
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) throw AutomationError("cannot write the registry key " + key);
}

void setRegistryValue(HKEY root, const std::string& key, const std::string& name, const RegistryValue& value) {
  HKEY handle = nullptr;
  if (RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    throw AutomationError(lastErrorText("cannot create the registry key " + key));
  }
  LONG status = RegSetValueExA(handle, name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.bytes.data()),
                               static_cast<DWORD>(value.bytes.size()));
  RegCloseKey(handle);
  if (status != ERROR_SUCCESS) throw AutomationError("cannot write " + key + " value " + name);
}

void deleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
  RegDeleteValueA(handle, name.c_str());
  RegCloseKey(handle);
}

void deleteRegistryTree(HKEY root, const std::string& key) { SHDeleteKeyA(root, key.c_str()); }

void closeFileManagerWindows() { EnumWindows(closeIfFileManager, 0); }

InstallerRun::InstallerRun(size_t folderLength) : top_(makeFreshFolder("qvx-install")), folder_(top_) {
  // Subfolders of at most 100 characters, each leaving room for the next.
  while (folder_.size() + 1 < folderLength) {
    size_t rest = folderLength - folder_.size() - 1;
    size_t length = rest > 100 ? std::min<size_t>(rest - 2, 100) : rest;
    folder_ += "\\" + std::string(length, 'q');
    if (!CreateDirectoryA(folder_.c_str(), nullptr)) {
      std::string why = lastErrorText("cannot create " + folder_);
      removeFolder(top_);
      throw AutomationError(why);
    }
  }
  std::string installer = installerPath();
  if (installer.empty()) throw AutomationError("no installer to test: set QVX_INSTALL_EXE");
  program_ = pathOf("Install.exe");
  if (!CopyFileA(installer.c_str(), program_.c_str(), FALSE)) {
    throw AutomationError(lastErrorText("cannot copy " + installer + " to " + program_));
  }
  // The installer only points at the calculator's files; stand-ins will do.
  writeFile(pathOf("Quorvex.exe"), "MZ stand-in");
  writeFile(pathOf("Readme.txt"), "Readme\r\n");
  writeFile(pathOf("Liesmich.txt"), "Liesmich\r\n");
  keepWindowsFromTheWindowManager("Install.exe");
  // The uninstall would open a file manager on the folder; under test nobody
  // looks at it. Runs inherit this environment.
  SetEnvironmentVariableA("QUORVEX_NO_EXPLORER", "1");
}

InstallerRun::~InstallerRun() {
  kill();
  closeFileManagerWindows();
  if (!std::getenv("QVX_KEEP_FOLDERS")) removeFolder(top_);
}

void InstallerRun::launch(std::string_view arguments) {
  if (running()) throw AutomationError("the installer is still running");
  kill();
  process_ = startProgram(program_, arguments, folder_);
}

HWND InstallerRun::start(std::string_view arguments) {
  launch(arguments);
  return waitForDialog();
}

HWND InstallerRun::waitForDialog(milliseconds timeout) {
  if (!process_.hProcess) throw AutomationError("the installer was not started");
  HWND found = nullptr;
  std::optional<MessageBoxInfo> box;
  waitUntil(
      [&] {
        if ((found = visibleDialogWith(process_.dwProcessId, kTopLevelBoxId))) return true;
        return (box = findMessageBox()).has_value() || !running();
      },
      timeout);
  if (!found) {
    if (box) throw AutomationError("a message box came instead of the installer's dialog: \"" + box->text + "\"");
    if (!running()) {
      throw AutomationError("the installer ended (exit code " + std::to_string(waitForExit()) +
                            ") before its dialog appeared");
    }
    throw AutomationError("no installer dialog within " + std::to_string(timeout.count()) + " ms; " +
                          describeWindowsOf(process_.dwProcessId));
  }
  send(found, WM_NULL);
  dialog_ = found;
  return found;
}

std::optional<MessageBoxInfo> InstallerRun::findMessageBox() const {
  if (!process_.hProcess) return std::nullopt;
  for (HWND window : dialogsOf(process_.dwProcessId)) {
    if (isMessageBox(window, kTopLevelBoxId)) return MessageBoxInfo{window, windowText(GetDlgItem(window, kMessageTextId))};
  }
  return std::nullopt;
}

MessageBoxInfo InstallerRun::waitForMessageBox(milliseconds timeout) const {
  std::optional<MessageBoxInfo> box;
  waitUntil([&] { return (box = findMessageBox()).has_value() || !running(); }, timeout);
  if (!box) {
    std::string why = "no message box within " + std::to_string(timeout.count()) + " ms";
    if (!running()) {
      DWORD code = 0;
      GetExitCodeProcess(process_.hProcess, &code);
      why += "; the installer has ended with exit code " + std::to_string(code);
    }
    throw AutomationError(why);
  }
  return *box;
}

void InstallerRun::answer(const MessageBoxInfo& box, int id) const {
  HWND button = GetDlgItem(box.window, id);
  if (!button) throw AutomationError("the message box \"" + box.text + "\" has no button " + std::to_string(id));
  post(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
  if (!waitUntil([&] { return !IsWindow(box.window); })) {
    throw AutomationError("the message box \"" + box.text + "\" stays open");
  }
}

HWND InstallerRun::dialog() const {
  if (!dialog_ || !IsWindow(dialog_)) throw AutomationError("no installer dialog");
  return dialog_;
}

HWND InstallerRun::control(int id) const { return GetDlgItem(dialog(), id); }

std::string InstallerRun::text(int id) const {
  HWND window = control(id);
  if (!window) throw AutomationError("the installer dialog has no control " + std::to_string(id));
  return windowText(window);
}

bool InstallerRun::checked(int id) const {
  HWND window = control(id);
  if (!window) throw AutomationError("the installer dialog has no control " + std::to_string(id));
  return send(window, BM_GETCHECK) == BST_CHECKED;
}

void InstallerRun::click(int id) const {
  HWND window = control(id);
  if (!window) throw AutomationError("the installer dialog has no control " + std::to_string(id));
  send(window, BM_CLICK);
}

void InstallerRun::press(int id) const {
  post(dialog(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control(id)));
}

bool InstallerRun::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD InstallerRun::waitForExit(milliseconds timeout) {
  if (!process_.hProcess) throw AutomationError("the installer was not started");
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    std::string why = "the installer did not end within " + std::to_string(timeout.count()) + " ms";
    if (auto box = findMessageBox()) why += "; a message box is open: \"" + box->text + "\"";
    throw AutomationError(why);
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  dialog_ = nullptr;
  return code;
}

void InstallerRun::kill() {
  if (!process_.hProcess) return;
  if (running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kSetupWait.count()));
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  dialog_ = nullptr;
}

}  // namespace automation
