// Drives a program from outside, as a user would: starts Quorvex.exe or
// Install.exe in a folder of its own, finds its dialogs, reads and writes
// their controls with window messages, presses buttons and keys, answers
// message boxes, uses the clipboard, and reads back what the program leaves:
// files, registry values, shortcut files.
//
// Every wait has a time-out. A wait that is part of setting-up (the window
// does not appear, the process does not end) throws AutomationError; a wait
// for an expected text returns the text it saw last, so the caller compares
// and reports it.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace automation {

using std::chrono::milliseconds;

// How long a step of setting-up may take before it counts as hung. Wine on a
// busy machine starts a process in about a second.
inline constexpr milliseconds kSetupWait{10000};
// How long an expected text may take to appear.
inline constexpr milliseconds kExpectWait{3000};
inline constexpr milliseconds kPoll{25};
// The calculator's timer period; some behaviour happens only on a tick.
inline constexpr milliseconds kTick{800};

struct AutomationError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::string windowsPath(std::string path);  // a Unix path becomes a Wine Z: path

// Polls until the predicate holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& done, milliseconds timeout = kSetupWait);

// Messages to a window of another process. Each is sent with a time-out, so a
// hung program fails the test instead of hanging it.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string windowText(HWND window);  // WM_GETTEXT
std::string className(HWND window);

// The clipboard as text (CF_TEXT), opened with retries because the program
// under test opens it too.
void putClipboardText(std::string_view text);
std::optional<std::string> clipboardText();

std::string readFileBytes(const std::string& path);  // empty when missing
bool fileExists(const std::string& path);
std::vector<std::string> filesIn(const std::string& folder);  // names, sorted

std::string lastErrorText(std::string_view what);
std::vector<HWND> dialogsOf(DWORD processId);  // the process's top-level dialogs
std::vector<HWND> windowsOf(DWORD processId);  // all its top-level windows

// A shell folder of the current user (CSIDL_PROGRAMS, CSIDL_STARTMENU, ...).
std::string shellFolder(int csidl);

// What a shortcut file holds, as IShellLinkA reports it after loading.
struct Shortcut {
  std::string target, arguments, workingDirectory, description, iconFile;
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
void setRegistryValue(HKEY root, const std::string& key, const std::string& name, const RegistryValue& value);
void deleteRegistryValue(HKEY root, const std::string& key, const std::string& name);
void deleteRegistryTree(HKEY root, const std::string& key);

// File-manager windows (Explorer, Wine's winefile) are told to close.
void closeFileManagerWindows();

struct MessageBoxInfo {
  HWND window = nullptr;
  std::string text;  // the static text with id 0xFFFF
};

// A program under test.
struct Program {
  std::string path;      // the program file
  std::string fileName;  // its name where it runs
  int mainControlId;     // a control that only its main dialog has
};
// Quorvex.exe and Install.exe: the environment variables QVX_QUORVEX_EXE and
// QVX_INSTALL_EXE if set, else the paths compiled in.
Program calculatorProgram();
Program installerProgram();

// Runs of a program in one fresh folder, which holds a copy of it and is its
// working directory: the calculator's settings file beside the program and its
// history file both start out missing. Given a length, the folder's path is
// made exactly that long with subfolders. The destructor ends a process still
// running and removes the folder.
class ProgramRun {
 public:
  enum class Placement {
    FreshFolder,  // a copy in a new folder, which is also the working directory
    WhereItIs,    // the program itself, in the current directory, as a user runs it
  };
  explicit ProgramRun(Program program, Placement placement = Placement::FreshFolder,
                      std::size_t folderLength = 0);
  ~ProgramRun();
  ProgramRun(const ProgramRun&) = delete;
  ProgramRun& operator=(const ProgramRun&) = delete;

  const std::string& folder() const { return folder_; }
  std::string pathOf(std::string_view name) const;
  void writeFile(std::string_view name, std::string_view bytes) const;
  std::string readFile(std::string_view name) const { return readFileBytes(pathOf(name)); }
  bool hasFile(std::string_view name) const { return fileExists(pathOf(name)); }

  // Starts the program with a raw command-line text (quote marks and all)
  // and does not wait; again after the earlier run has ended.
  void launch(std::string_view arguments = {});
  // launch, then waitForMainWindow.
  HWND start(std::string_view arguments = {});
  // The main dialog, once it is visible and answers messages. A message box
  // instead ends the wait with an error that quotes it.
  HWND waitForMainWindow(milliseconds timeout = kSetupWait);
  std::optional<MessageBoxInfo> findMessageBox() const;
  MessageBoxInfo waitForMessageBox(milliseconds timeout = kSetupWait) const;
  // Answers a message box with IDOK, IDYES, IDNO ... and waits until it is gone.
  void answer(const MessageBoxInfo& box, int id = IDOK) const;
  // Answers every message box that shows up until the main window appears;
  // returns their texts.
  std::vector<std::string> answerBoxesUntilMainWindow(milliseconds timeout = kSetupWait);

  HWND main() const;
  // A control of the main dialog or of another dialog of the program (the
  // calculator's functions, programmer and regression windows); the main
  // dialog's ids come first. findControl gives null where none has it,
  // control throws.
  HWND findControl(int id) const;
  HWND control(int id) const;
  std::string text(int id) const;
  void setText(int id, std::string_view value) const;
  // Polls a control until its text equals the expected one; returns the text
  // it saw last (equal to the expected one unless the time ran out).
  std::string waitForText(int id, std::string_view expected, milliseconds timeout = kExpectWait) const;

  void click(int id) const;  // BM_CLICK: the button takes the focus as under the mouse
  // WM_COMMAND posted to the button's dialog: for a button whose work shows a
  // message box, which a sent click would wait for.
  void press(int id) const;
  void clickInto(int id) const;  // a mouse click at the right end of an edit control
  LRESULT sendToMain(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  void typeChars(int id, std::string_view chars) const;  // WM_CHAR each, posted
  void pressKey(int id, int virtualKey) const;  // WM_KEYDOWN and WM_KEYUP, posted
  void setCaret(int id, int position) const;  // EM_SETSEL; -1 is the end
  std::pair<int, int> selection(int id) const;  // EM_GETSEL

  bool checked(int id) const;  // BM_GETCHECK
  int comboSelection(int id) const;  // CB_GETCURSEL
  void selectCombo(int id, int index) const;  // as the user would: with CBN_SELCHANGE
  std::vector<std::string> listItems(int id) const;  // LB_GETCOUNT, LB_GETTEXT
  void selectListItem(int id, int index) const;  // with LBN_SELCHANGE
  bool visible(int id) const { return IsWindowVisible(control(id)) != FALSE; }
  bool minimized() const { return IsIconic(main()) != FALSE; }
  std::string title() const;
  RECT windowRect() const;
  DWORD processId() const { return process_.dwProcessId; }

  bool running() const;
  // Esc (the dialog's cancel command); waits for the end; the exit code.
  DWORD close(milliseconds timeout = kSetupWait);
  DWORD waitForExit(milliseconds timeout = kSetupWait);
  void kill();

 private:
  // Sends to a window of the program; when the program ends meanwhile, the
  // error says so, with its exit code.
  LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  AutomationError ended() const;

  Program program_;
  Placement placement_;
  std::string top_;     // the fresh folder, removed at the end
  std::string folder_;  // where the program runs (top_, or a folder inside it)
  std::string copy_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace automation
