#include "automation.h"

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
constexpr int kEntryFieldId = 102;      // what tells the main window apart

struct DialogSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK collectDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && className(window) == "#32770") search->found.push_back(window);
  return TRUE;
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

std::vector<std::string>& steps() {
  static std::vector<std::string> names;
  return names;
}

std::string withSteps(const std::string& what) {
  std::string text = what;
  for (const auto& name : steps()) text += " [in: " + name + "]";
  return text;
}

}  // namespace

std::string lastErrorText(std::string_view what) {
  return std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
}

// The process's top-level dialogs: its windows and its message boxes.
std::vector<HWND> dialogsOf(DWORD processId) {
  DialogSearch search{processId, {}};
  EnumWindows(collectDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
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

Step::Step(std::string name) { steps().push_back(std::move(name)); }
Step::~Step() { steps().pop_back(); }

AutomationError::AutomationError(const std::string& what) : std::runtime_error(withSteps(what)) {}

std::string windowsPath(std::string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

std::string quorvexPath() {
  if (const char* fromEnvironment = std::getenv("QVX_QUORVEX_EXE"); fromEnvironment && *fromEnvironment) {
    return windowsPath(fromEnvironment);
  }
#ifdef QVX_QUORVEX_EXE
  return windowsPath(QVX_QUORVEX_EXE);
#else
  return {};
#endif
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

void setWindowText(HWND window, std::string_view value) {
  std::string text(value);
  send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
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

Calculator::Calculator(std::string program, Placement placement)
    : program_(std::move(program)), placement_(placement) {
  if (placement_ == Placement::FreshFolder) {
    folder_ = makeFreshFolder("qvx-window");
    return;
  }
  char current[MAX_PATH + 1] = {};
  GetCurrentDirectoryA(sizeof current, current);
  folder_ = current;
  copy_ = program_;
}

Calculator::~Calculator() {
  kill();
  if (placement_ == Placement::FreshFolder && !std::getenv("QVX_KEEP_FOLDERS")) removeFolder(folder_);
}

std::string Calculator::pathOf(std::string_view name) const {
  return folder_ + "\\" + std::string(name);
}

void Calculator::writeFile(std::string_view name, std::string_view bytes) const {
  std::ofstream out(pathOf(name), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw AutomationError("cannot write " + pathOf(name));
}

void Calculator::launch(std::string_view arguments) {
  if (running()) throw AutomationError("the calculator is still running");
  if (process_.hProcess) {
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }
  main_ = nullptr;
  if (program_.empty()) throw AutomationError("no program to test: set QVX_QUORVEX_EXE");
  if (copy_.empty()) {
    std::string target = pathOf("Quorvex.exe");
    if (!CopyFileA(program_.c_str(), target.c_str(), FALSE)) {
      throw AutomationError(lastErrorText("cannot copy " + program_ + " to " + target));
    }
    copy_ = target;
  }
  keepWindowsFromTheWindowManager(copy_);
  process_ = startProgram(copy_, arguments, folder_);
}

HWND Calculator::start(std::string_view arguments) {
  launch(arguments);
  return waitForMainWindow();
}

HWND Calculator::waitForMainWindow(milliseconds timeout) {
  if (!process_.hProcess) throw AutomationError("the calculator was not started");
  HWND found = nullptr;
  std::optional<MessageBoxInfo> box;
  // A message box holds up the start until someone answers it: no use waiting on.
  waitUntil(
      [&] {
        if ((found = visibleDialogWith(process_.dwProcessId, kEntryFieldId))) return true;
        return (box = findMessageBox()).has_value() || !running();
      },
      timeout);
  if (!found) {
    if (box) throw AutomationError("a message box came instead of the calculator window: \"" + box->text + "\"");
    if (!running()) {
      throw AutomationError("the calculator ended (exit code " + std::to_string(waitForExit()) +
                            ") before its window appeared");
    }
    throw AutomationError("no calculator window within " + std::to_string(timeout.count()) + " ms");
  }
  send(found, WM_NULL);  // the dialog's thread is past its creation and serves messages
  main_ = found;
  return found;
}

std::optional<MessageBoxInfo> Calculator::findMessageBox() const {
  if (!process_.hProcess) return std::nullopt;
  for (HWND dialog : dialogsOf(process_.dwProcessId)) {
    if (isMessageBox(dialog, kEntryFieldId)) return MessageBoxInfo{dialog, windowText(GetDlgItem(dialog, kMessageTextId))};
  }
  return std::nullopt;
}

MessageBoxInfo Calculator::waitForMessageBox(milliseconds timeout) const {
  std::optional<MessageBoxInfo> box;
  waitUntil([&] { return (box = findMessageBox()).has_value() || !running(); }, timeout);
  if (!box) throw AutomationError("no message box within " + std::to_string(timeout.count()) + " ms");
  return *box;
}

void Calculator::answer(const MessageBoxInfo& box, int id) const {
  post(box.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box.window, id)));
  if (!waitUntil([&] { return !IsWindow(box.window); })) {
    throw AutomationError("the message box \"" + box.text + "\" stays open");
  }
}

std::vector<std::string> Calculator::answerBoxesUntilMainWindow(milliseconds timeout) {
  std::vector<std::string> texts;
  auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (auto box = findMessageBox()) {
      texts.push_back(box->text);
      answer(*box);
      continue;
    }
    for (HWND dialog : dialogsOf(process_.dwProcessId)) {
      if (GetDlgItem(dialog, kEntryFieldId) && IsWindowVisible(dialog)) {
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

HWND Calculator::main() const {
  if (!main_) throw AutomationError("no calculator window");
  return main_;
}

AutomationError Calculator::ended() const {
  DWORD code = 0;
  if (process_.hProcess) GetExitCodeProcess(process_.hProcess, &code);
  char text[80];
  std::snprintf(text, sizeof text, "the calculator has ended (exit code %lu = 0x%lX)", code, code);
  return AutomationError(text);
}

LRESULT Calculator::ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
  try {
    return send(window, message, wParam, lParam);
  } catch (const AutomationError&) {
    if (!running()) throw ended();
    throw;
  }
}

HWND Calculator::findControl(int id) const {
  if (HWND window = GetDlgItem(main(), id)) return window;
  // The windows beside the main one; ids of the main window come first.
  for (HWND dialog : dialogsOf(process_.dwProcessId)) {
    if (dialog == main_ || !IsWindowVisible(dialog)) continue;
    if (HWND window = GetDlgItem(dialog, id)) return window;
  }
  return nullptr;
}

HWND Calculator::control(int id) const {
  if (!running()) throw ended();
  if (HWND window = findControl(id)) return window;
  if (!IsWindow(main_)) {
    // The window is gone; the process follows in a moment.
    waitUntil([&] { return !running(); }, milliseconds(2000));
    if (!running()) throw ended();
    throw AutomationError("the calculator window has closed");
  }
  throw AutomationError("no window of the calculator has control " + std::to_string(id));
}

std::string Calculator::text(int id) const {
  HWND window = control(id);
  try {
    return windowText(window);
  } catch (const AutomationError&) {
    if (!running()) throw ended();
    throw;
  }
}

void Calculator::setText(int id, std::string_view value) const {
  std::string text(value);
  ask(control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string Calculator::title() const {
  if (!running()) throw ended();
  return windowText(main());
}

std::string Calculator::waitForText(int id, std::string_view expected, milliseconds timeout) const {
  std::string seen;
  waitUntil([&] { return (seen = text(id)) == expected || !running(); }, timeout);
  return seen;
}

void Calculator::click(int id) const { ask(control(id), BM_CLICK); }

void Calculator::clickInto(int id) const {
  HWND field = control(id);
  RECT inside{};
  GetClientRect(field, &inside);
  LPARAM point = MAKELPARAM(std::max<LONG>(inside.right - 2, 0), inside.bottom / 2);
  ask(field, WM_LBUTTONDOWN, MK_LBUTTON, point);
  ask(field, WM_LBUTTONUP, 0, point);
}

void Calculator::command(int id, int notification) const {
  sendToMain(WM_COMMAND, MAKEWPARAM(id, notification), reinterpret_cast<LPARAM>(control(id)));
}

LRESULT Calculator::sendToMain(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ask(main(), message, wParam, lParam);
}

void Calculator::typeChars(int id, std::string_view chars) const {
  HWND field = control(id);
  for (char c : chars) post(field, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void Calculator::pressKey(int id, int virtualKey) const {
  HWND field = control(id);
  LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  post(field, WM_KEYDOWN, virtualKey, scan | 1);
  post(field, WM_KEYUP, virtualKey, scan | 1 | (LPARAM(3) << 30));
}

void Calculator::setCaret(int id, int position) const {
  HWND field = control(id);
  if (position < 0) position = static_cast<int>(ask(field, WM_GETTEXTLENGTH));
  ask(field, EM_SETSEL, position, position);
}

std::pair<int, int> Calculator::selection(int id) const {
  auto packed = static_cast<DWORD>(ask(control(id), EM_GETSEL));
  return {LOWORD(packed), HIWORD(packed)};
}

bool Calculator::checked(int id) const { return ask(control(id), BM_GETCHECK) == BST_CHECKED; }

int Calculator::comboSelection(int id) const { return static_cast<int>(ask(control(id), CB_GETCURSEL)); }

void Calculator::selectCombo(int id, int index) const {
  ask(control(id), CB_SETCURSEL, index);
  command(id, CBN_SELCHANGE);
}

std::vector<std::string> Calculator::listItems(int id) const {
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

void Calculator::selectListItem(int id, int index) const {
  ask(control(id), LB_SETCURSEL, index);
  command(id, LBN_SELCHANGE);
}

RECT Calculator::windowRect() const {
  RECT r{};
  GetWindowRect(main(), &r);
  return r;
}

bool Calculator::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Calculator::close(milliseconds timeout) {
  post(main(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  return waitForExit(timeout);
}

DWORD Calculator::closeWithEscapeKey(int id, milliseconds timeout) {
  pressKey(id, VK_ESCAPE);
  return waitForExit(timeout);
}

DWORD Calculator::waitForExit(milliseconds timeout) {
  if (!process_.hProcess) throw AutomationError("the calculator was not started");
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
    std::string why = "the calculator did not end within " + std::to_string(timeout.count()) + " ms";
    if (auto box = findMessageBox()) why += "; a message box is open: \"" + box->text + "\"";
    throw AutomationError(why);
  }
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  main_ = nullptr;
  return code;
}

void Calculator::kill() {
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
