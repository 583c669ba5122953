#include "automation.h"

#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace automation {

namespace {

// A message to another process may take a while under Wine, but never this long.
constexpr UINT kSendTimeoutMs = 10000;
constexpr int kMessageTextId = 0xFFFF;  // the text of a message box

struct DialogSearch {
  DWORD processId;
  bool dialogsOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && (!search->dialogsOnly || className(window) == "#32770"))
    search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> collectWindowsOf(DWORD processId, bool dialogsOnly) {
  DialogSearch search{processId, dialogsOnly, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The process's top-level windows, for an error that says what came instead.
std::string describeWindowsOf(DWORD processId) {
  std::string text;
  for (HWND window : collectWindowsOf(processId, false)) {
    char title[128] = {};
    GetWindowTextA(window, title, sizeof title);
    text += std::string(text.empty() ? "" : ", ") + className(window) + " \"" + title + "\"" +
            (IsWindowVisible(window) ? "" : " (hidden)");
  }
  return text.empty() ? "no windows" : "its windows: " + text;
}

std::string quoteIfSpaced(std::string text) {
  if (text.find(' ') == std::string::npos) return text;
  return '"' + text + '"';
}

// The clipboard belongs to a window; a hidden message-only one serves.
HWND clipboardOwner() {
  static HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
  return owner;
}

// The program under test opens the clipboard too, every timer tick.
void openClipboardRetrying() {
  bool opened = waitUntil([] { return OpenClipboard(clipboardOwner()) != FALSE; }, kSetupWait);
  if (!opened) throw AutomationError(lastErrorText("the clipboard stays busy"));
}

// A message box: the text static 0xFFFF and at least one of the standard
// answer buttons. Dialog templates give labels the id -1 too, so the static
// alone does not tell.
bool isMessageBox(HWND dialog, int mainControlId) {
  HWND text = GetDlgItem(dialog, kMessageTextId);
  if (!text || !IsWindowVisible(dialog) || GetDlgItem(dialog, mainControlId)) return false;
  if (className(text) != "Static") return false;
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE}) {
    if (GetDlgItem(dialog, id)) return true;
  }
  return false;
}

void removeFolder(const std::string& folder) {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      std::string name = entry.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        removeFolder(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(folder.c_str());
}

std::string makeFreshFolder(std::string_view prefix) {
  char temp[MAX_PATH + 1] = {};
  if (!GetTempPathA(sizeof temp, temp)) throw AutomationError(lastErrorText("GetTempPath"));
  static unsigned serial = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    char name[64];
    std::snprintf(name, sizeof name, "%.20s-%lu-%u", std::string(prefix).c_str(), GetCurrentProcessId(),
                  ++serial);
    std::string folder = std::string(temp) + name;
    if (CreateDirectoryA(folder.c_str(), nullptr)) return folder;
  }
  throw AutomationError(lastErrorText("cannot create a folder in " + std::string(temp)));
}

// Wine hands a program's windows to the X window manager, and waits for it
// (two seconds, in vain) whenever one closes; on Xvfb there is none. For the
// program under test Wine is told to keep its windows to itself, which also
// makes it draw their captions, as they appear in pictures.
void keepWindowsFromTheWindowManager(const std::string& program) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;  // real Windows
  std::string name = program.substr(program.find_last_of("\\/") + 1);
  std::string key = "Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver";
  HKEY handle = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                      nullptr) != ERROR_SUCCESS) {
    return;  // slower closing, nothing worse
  }
  RegSetValueExA(handle, "Managed", 0, REG_SZ, reinterpret_cast<const BYTE*>("N"), 2);
  RegCloseKey(handle);
}

PROCESS_INFORMATION startProgram(const std::string& program, std::string_view arguments,
                                 const std::string& folder) {
  std::string commandLine = quoteIfSpaced(program);
  if (!arguments.empty()) commandLine += " " + std::string(arguments);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process))
    throw AutomationError(lastErrorText("cannot start " + commandLine));
  return process;
}

HWND visibleDialogWith(DWORD processId, int controlId) {
  for (HWND dialog : dialogsOf(processId))
    if (GetDlgItem(dialog, controlId) && IsWindowVisible(dialog)) return dialog;
  return nullptr;
}

BOOL CALLBACK closeIfFileManager(HWND window, LPARAM) {
  std::string name = className(window);
  if (name == "CabinetWClass" || name == "ExploreWClass" || name == "WFS_Frame") {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return TRUE;
}

// The path from the environment if set there, else the one compiled in.
std::string programPath(const char* variable, const char* compiledIn) {
  const char* fromEnvironment = std::getenv(variable);
  return windowsPath(fromEnvironment && *fromEnvironment ? fromEnvironment : compiledIn);
}

}  // namespace

#ifndef QVX_QUORVEX_EXE
#define QVX_QUORVEX_EXE ""
#endif
#ifndef QVX_INSTALL_EXE
#define QVX_INSTALL_EXE ""
#endif

Program calculatorProgram() {
  return {programPath("QVX_QUORVEX_EXE", QVX_QUORVEX_EXE), "Quorvex.exe", 102};  // the entry field
}

Program installerProgram() {
  return {programPath("QVX_INSTALL_EXE", QVX_INSTALL_EXE), "Install.exe", 804};  // the top-level box
}

std::string lastErrorText(std::string_view what) {
  return std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
}

// The process's top-level dialogs: its windows and its message boxes.
std::vector<HWND> dialogsOf(DWORD processId) { return collectWindowsOf(processId, true); }
std::vector<HWND> windowsOf(DWORD processId) { return collectWindowsOf(processId, false); }

std::vector<std::string> filesIn(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = entry.cFileName;
    if (name != "." && name != "..") names.push_back(name);
  } while (FindNextFileA(find, &entry));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

void closeFileManagerWindows() { EnumWindows(closeIfFileManager, 0); }

std::string windowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

bool waitUntil(const std::function<bool()>& done, milliseconds timeout) {
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(kPoll);
  }
}

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result)) {
    char text[96];
    std::snprintf(text, sizeof text, "message 0x%X to window %p got no answer", message,
                  static_cast<void*>(window));
    throw AutomationError(lastErrorText(text));
  }
  return static_cast<LRESULT>(result);
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!PostMessageA(window, message, wParam, lParam)) {
    throw AutomationError(lastErrorText("PostMessage " + std::to_string(message)));
  }
}

std::string windowText(HWND window) {
  auto length = static_cast<size_t>(send(window, WM_GETTEXTLENGTH));
  std::string text(length + 1, '\0');
  auto copied = static_cast<size_t>(send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
  text.resize(std::min(copied, length));
  return text;
}

std::string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

void putClipboardText(std::string_view text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!memory) throw AutomationError(lastErrorText("GlobalAlloc"));
  char* bytes = static_cast<char*>(GlobalLock(memory));
  std::copy(text.begin(), text.end(), bytes);
  bytes[text.size()] = '\0';
  GlobalUnlock(memory);
  openClipboardRetrying();
  EmptyClipboard();
  bool given = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!given) {
    GlobalFree(memory);
    throw AutomationError(lastErrorText("SetClipboardData"));
  }
}

std::optional<std::string> clipboardText() {
  openClipboardRetrying();
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

std::string readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool fileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
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


ProgramRun::ProgramRun(Program program, Placement placement, std::size_t folderLength)
    : program_(std::move(program)), placement_(placement) {
  if (program_.path.empty()) throw AutomationError("no program to test: set QVX_QUORVEX_EXE or QVX_INSTALL_EXE");
  if (placement_ == Placement::WhereItIs) {
    char current[MAX_PATH + 1] = {};
    GetCurrentDirectoryA(sizeof current, current);
    folder_ = current;
    copy_ = program_.path;
    return;
  }
  top_ = folder_ = makeFreshFolder("qvx-run");
  // Subfolders of at most 100 characters, each leaving room for the next.
  while (folder_.size() + 1 < folderLength) {
    std::size_t rest = folderLength - folder_.size() - 1;
    std::size_t length = rest > 100 ? std::min<std::size_t>(rest - 2, 100) : rest;
    folder_ += "\\" + std::string(length, 'q');
    if (!CreateDirectoryA(folder_.c_str(), nullptr)) {
      std::string why = lastErrorText("cannot create " + folder_);
      removeFolder(top_);
      throw AutomationError(why);
    }
  }
}

ProgramRun::~ProgramRun() {
  kill();
  if (!top_.empty() && !std::getenv("QVX_KEEP_FOLDERS")) removeFolder(top_);
}

std::string ProgramRun::pathOf(std::string_view name) const {
  return folder_ + "\\" + std::string(name);
}

void ProgramRun::writeFile(std::string_view name, std::string_view bytes) const {
  std::ofstream out(pathOf(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw AutomationError("cannot write " + pathOf(name));
}

void ProgramRun::launch(std::string_view arguments) {
  if (running()) throw AutomationError("the program is still running");
  kill();
  if (copy_.empty()) {
    std::string target = pathOf(program_.fileName);
    if (!CopyFileA(program_.path.c_str(), target.c_str(), FALSE))
      throw AutomationError(lastErrorText("cannot copy " + program_.path + " to " + target));
    copy_ = target;
  }
  keepWindowsFromTheWindowManager(copy_);
  process_ = startProgram(copy_, arguments, folder_);
}

HWND ProgramRun::start(std::string_view arguments) {
  launch(arguments);
  return waitForMainWindow();
}

HWND ProgramRun::waitForMainWindow(milliseconds timeout) {
  if (!process_.hProcess) throw AutomationError("the program was not started");
  HWND found = nullptr;
  std::optional<MessageBoxInfo> box;
  // A message box holds up the start until someone answers it: no use waiting on.
  waitUntil(
      [&] {
        if ((found = visibleDialogWith(process_.dwProcessId, program_.mainControlId))) return true;
        return (box = findMessageBox()).has_value() || !running();
      },
      timeout);
  if (!found) {
    if (box) throw AutomationError("a message box came instead of the main window: \"" + box->text + "\"");
    if (!running()) {
      throw AutomationError("the calculator ended (exit code " + std::to_string(waitForExit()) +
                            ") before its window appeared");
    }
    throw AutomationError("no main window within " + std::to_string(timeout.count()) + " ms; " +
                          describeWindowsOf(process_.dwProcessId));
  }
  send(found, WM_NULL);  // the dialog's thread is past its creation and serves messages
  main_ = found;
  return found;
}

std::optional<MessageBoxInfo> ProgramRun::findMessageBox() const {
  if (!process_.hProcess) return std::nullopt;
  for (HWND dialog : dialogsOf(process_.dwProcessId)) {
    if (isMessageBox(dialog, program_.mainControlId)) return MessageBoxInfo{dialog, windowText(GetDlgItem(dialog, kMessageTextId))};
  }
  return std::nullopt;
}

MessageBoxInfo ProgramRun::waitForMessageBox(milliseconds timeout) const {
  std::optional<MessageBoxInfo> box;
  waitUntil([&] { return (box = findMessageBox()).has_value() || !running(); }, timeout);
  if (!box) throw AutomationError("no message box within " + std::to_string(timeout.count()) + " ms");
  return *box;
}

void ProgramRun::answer(const MessageBoxInfo& box, int id) const {
  post(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box.window, id)));
  if (!waitUntil([&] { return !IsWindow(box.window); })) {
    throw AutomationError("the message box \"" + box.text + "\" stays open");
  }
}

std::vector<std::string> ProgramRun::answerBoxesUntilMainWindow(milliseconds timeout) {
  std::vector<std::string> texts;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto box = findMessageBox()) {
      texts.push_back(box->text);
      answer(*box);
      continue;
    }
    for (HWND dialog : dialogsOf(process_.dwProcessId)) {
      if (GetDlgItem(dialog, program_.mainControlId) && IsWindowVisible(dialog)) {
        waitForMainWindow();
        return texts;
      }
    }
    if (!running() || std::chrono::steady_clock::now() >= deadline) {
      waitForMainWindow(milliseconds(0));  // throws with the reason
      return texts;
    }
    std::this_thread::sleep_for(kPoll);
  }
}

HWND ProgramRun::main() const {
  if (!main_) throw AutomationError("no main window");
  return main_;
}

AutomationError ProgramRun::ended() const {
  DWORD code = 0;
  if (process_.hProcess) GetExitCodeProcess(process_.hProcess, &code);
  char text[80];
  std::snprintf(text, sizeof text, "the program has ended (exit code %lu = 0x%lX)", code, code);
  return AutomationError(text);
}

LRESULT ProgramRun::ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  try {
    return send(window, message, wParam, lParam);
  } catch (const AutomationError&) {
    if (!running()) throw ended();
    throw;
  }
}

HWND ProgramRun::findControl(int id) const {
  if (HWND window = GetDlgItem(main(), id)) return window;
  // The windows beside the main one; ids of the main window come first.
  for (HWND dialog : dialogsOf(process_.dwProcessId)) {
    if (dialog == main_ || !IsWindowVisible(dialog)) continue;
    if (HWND window = GetDlgItem(dialog, id)) return window;
  }
  return nullptr;
}

HWND ProgramRun::control(int id) const {
  if (!running()) throw ended();
  if (HWND window = findControl(id)) return window;
  if (!IsWindow(main_)) {
    // The window is gone; the process follows in a moment.
    waitUntil([&] { return !running(); }, milliseconds(2000));
    if (!running()) throw ended();
    throw AutomationError("the main window has closed");
  }
  throw AutomationError("no window of the program has control " + std::to_string(id));
}

std::string ProgramRun::text(int id) const {
  HWND window = control(id);
  try {
    return windowText(window);
  } catch (const AutomationError&) {
    if (!running()) throw ended();
    throw;
  }
}

void ProgramRun::setText(int id, std::string_view value) const {
  std::string text(value);
  ask(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string ProgramRun::title() const {
  if (!running()) throw ended();
  return windowText(main());
}

std::string ProgramRun::waitForText(int id, std::string_view expected, milliseconds timeout) const {
  std::string seen;
  waitUntil([&] { return (seen = text(id)) == expected || !running(); }, timeout);
  return seen;
}

void ProgramRun::click(int id) const { ask(control(id), BM_CLICK); }

void ProgramRun::clickInto(int id) const {
  HWND field = control(id);
  RECT inside{};
  GetClientRect(field, &inside);
  LPARAM point = MAKELPARAM(std::max<LONG>(inside.right - 2, 0), inside.bottom / 2);
  ask(field, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ask(field, WM_LBUTTONUP, 0, point);
}

void ProgramRun::press(int id) const {
  HWND button = control(id);
  post(GetParent(button), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

LRESULT ProgramRun::sendToMain(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ask(main(), message, wParam, lParam);
}

void ProgramRun::typeChars(int id, std::string_view chars) const {
  HWND field = control(id);
  for (char c : chars) post(field, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void ProgramRun::pressKey(int id, int virtualKey) const {
  HWND field = control(id);
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  post(field, WM_KEYDOWN, virtualKey, scan | 1);
  post(field, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
}

void ProgramRun::setCaret(int id, int position) const {
  HWND field = control(id);
  if (position < 0) position = static_cast<int>(ask(field, WM_GETTEXTLENGTH));
  ask(field, EM_SETSEL, position, position);
}

std::pair<int, int> ProgramRun::selection(int id) const {
  auto packed = static_cast<DWORD>(ask(control(id), EM_GETSEL));
  return {LOWORD(packed), HIWORD(packed)};
}

bool ProgramRun::checked(int id) const { return ask(control(id), BM_GETCHECK) == BST_CHECKED; }

int ProgramRun::comboSelection(int id) const { return static_cast<int>(ask(control(id), CB_GETCURSEL)); }

void ProgramRun::selectCombo(int id, int index) const {
  HWND box = control(id);
  ask(box, CB_SETCURSEL, index);
  sendToMain(WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

std::vector<std::string> ProgramRun::listItems(int id) const {
  // Wine hands another process's list box items over in UTF-16 only when asked
  // in UTF-16 (the "A" message returns them unconverted); back to the "A" text.
  HWND list = control(id);
  auto count = ask(list, LB_GETCOUNT);
  std::vector<std::string> items;
  for (LRESULT i = 0; i < count; ++i) {
    DWORD_PTR length = 0, copied = 0;
    if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_NORMAL, kSendTimeoutMs, &length) ||
        static_cast<LRESULT>(length) < 0) {
      throw AutomationError("list item " + std::to_string(i) + " has no text");
    }
    std::wstring wide(length + 1, L'\0');
    if (!SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL,
                             kSendTimeoutMs, &copied)) {
      throw AutomationError(lastErrorText("LB_GETTEXT"));
    }
    wide.resize(std::min<size_t>(copied, length));
    std::string item(wide.size() * 2 + 1, '\0');
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), item.data(),
                                    static_cast<int>(item.size()), nullptr, nullptr);
    item.resize(std::max(bytes, 0));
    items.push_back(item);
  }
  return items;
}

void ProgramRun::selectListItem(int id, int index) const {
  HWND list = control(id);
  ask(list, LB_SETCURSEL, index);
  sendToMain(WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

RECT ProgramRun::windowRect() const {
  RECT r{};
  GetWindowRect(main(), &r);
  return r;
}

bool ProgramRun::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD ProgramRun::close(milliseconds timeout) {
  post(main(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return waitForExit(timeout);
}

DWORD ProgramRun::waitForExit(milliseconds timeout) {
  if (!process_.hProcess) throw AutomationError("the program was not started");
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    std::string why = "the program did not end within " + std::to_string(timeout.count()) + " ms";
    if (auto box = findMessageBox()) why += "; a message box is open: \"" + box->text + "\"";
    throw AutomationError(why);
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  main_ = nullptr;
  return code;
}

void ProgramRun::kill() {
  if (!process_.hProcess) return;
  if (running()) {
    TerminateProcess(process_.hProcess, 99);
    WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kSetupWait.count()));
  }
  CloseHandle(process_.hProcess);
  CloseHandle(process_.hThread);
  process_ = {};
  main_ = nullptr;
}

}  // namespace automation
