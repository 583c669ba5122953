// Drives the calculator from outside, as a user would: starts Quorvex.exe in a
// folder of its own, finds its dialogs, reads and writes their controls with
// window messages, presses buttons and keys, uses the clipboard, and ends it.
//
// Every wait has a time-out. A wait that is part of the test's setting-up
// (the window does not appear, the process does not end) throws
// AutomationError; a wait for an expected text returns the text it saw last,
// so the test compares and reports it.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
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

// Names what the test is doing while it lives (a row of a table), so that an
// error thrown meanwhile says where it happened.
class Step {
 public:
  explicit Step(std::string name);
  ~Step();
  Step(const Step&) = delete;
  Step& operator=(const Step&) = delete;
};

struct AutomationError : std::runtime_error {
  explicit AutomationError(const std::string& what);
};

// The program to test: the environment variable QVX_QUORVEX_EXE if set, else
// the path compiled in (QVX_QUORVEX_EXE); a Unix path becomes a Wine Z: path.
std::string quorvexPath();
std::string windowsPath(std::string path);

// Polls until the predicate holds or the time is up; true when it held.
bool waitUntil(const std::function<bool()>& done, milliseconds timeout = kSetupWait);

// Messages to a window of another process. Each is sent with a time-out, so a
// hung program fails the test instead of hanging it.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
void post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::string windowText(HWND window);  // WM_GETTEXT
void setWindowText(HWND window, std::string_view text);  // WM_SETTEXT
std::string className(HWND window);

// The clipboard as text (CF_TEXT), opened with retries because the program
// under test opens it too.
void putClipboardText(std::string_view text);
std::optional<std::string> clipboardText();

std::string readFileBytes(const std::string& path);  // empty when missing
bool fileExists(const std::string& path);

// Shared by the drivers of both programs.
std::string lastErrorText(std::string_view what);
std::vector<HWND> dialogsOf(DWORD processId);  // the process's top-level dialogs
// A message box: the text static 0xFFFF and a standard answer button, in a
// dialog that is not the program's own (which holds mainControlId).
bool isMessageBox(HWND dialog, int mainControlId);
void removeFolder(const std::string& folder);
std::string makeFreshFolder(std::string_view prefix);  // in the temporary folder
// Wine waits for the (absent) X window manager whenever a managed window
// closes; the program's windows are kept from it.
void keepWindowsFromTheWindowManager(const std::string& program);
// Starts program with the raw argument text, working in folder.
PROCESS_INFORMATION startProgram(const std::string& program, std::string_view arguments,
                                 const std::string& folder);
// The process's visible dialog that holds controlId, if it is up.
HWND visibleDialogWith(DWORD processId, int controlId);

struct MessageBoxInfo {
  HWND window = nullptr;
  std::string text;  // the static text with id 0xFFFF
};

// One run of the calculator in a fresh folder. The folder holds a copy of the
// program, so the settings file beside it starts out missing, and it is the
// working directory, so the history file does too. The destructor ends a
// process still running and removes the folder.
class Calculator {
 public:
  enum class Placement {
    FreshFolder,  // a copy in a new folder, which is also the working directory
    WhereItIs,    // the program itself, in the current directory, as a user runs it
  };
  explicit Calculator(std::string program = quorvexPath(), Placement placement = Placement::FreshFolder);
  ~Calculator();
  Calculator(const Calculator&) = delete;
  Calculator& operator=(const Calculator&) = delete;

  const std::string& folder() const { return folder_; }
  std::string pathOf(std::string_view name) const;
  void writeFile(std::string_view name, std::string_view bytes) const;
  std::string readFile(std::string_view name) const { return readFileBytes(pathOf(name)); }
  bool hasFile(std::string_view name) const { return fileExists(pathOf(name)); }

  // Starts the program with a raw command-line text (quote marks and all)
  // and does not wait. Can be called again after the process has ended, to
  // start once more in the same folder.
  void launch(std::string_view arguments = {});
  // launch, then waitForMainWindow.
  HWND start(std::string_view arguments = {});

  // The main dialog (a #32770 window of the process holding the entry field),
  // once it is visible and answers messages.
  HWND waitForMainWindow(milliseconds timeout = kSetupWait);
  std::optional<MessageBoxInfo> findMessageBox() const;
  MessageBoxInfo waitForMessageBox(milliseconds timeout = kSetupWait) const;
  // Answers a message box with IDOK, IDYES, IDNO ... and waits until it is gone.
  void answer(const MessageBoxInfo& box, int id = IDOK) const;
  // Answers every message box that shows up until the main window appears;
  // returns their texts.
  std::vector<std::string> answerBoxesUntilMainWindow(milliseconds timeout = kSetupWait);

  HWND main() const;
  // A control of the main window, or of a window beside it (the functions,
  // programmer and regression windows); findControl gives null where none
  // has it, control throws.
  HWND findControl(int id) const;
  HWND control(int id) const;
  std::string text(int id) const;
  void setText(int id, std::string_view value) const;
  // Polls a control until its text equals the expected one; returns the text
  // it saw last (equal to the expected one unless the time ran out).
  std::string waitForText(int id, std::string_view expected, milliseconds timeout = kExpectWait) const;

  void click(int id) const;  // BM_CLICK: the button takes the focus as under the mouse
  void clickInto(int id) const;  // a mouse click at the right end of an edit control
  void command(int id, int notification = 0) const;  // WM_COMMAND from that control
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

  bool running() const;
  // Esc (the dialog's cancel command); waits for the end; the exit code.
  DWORD close(milliseconds timeout = kSetupWait);
  // The Esc key itself, posted to a control, through the dialog manager.
  DWORD closeWithEscapeKey(int id, milliseconds timeout = kSetupWait);
  DWORD waitForExit(milliseconds timeout = kSetupWait);
  void kill();

 private:
  // Sends to a window of the calculator; when the calculator ends meanwhile,
  // the error says so, with its exit code.
  LRESULT ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  AutomationError ended() const;

  std::string program_;
  Placement placement_;
  std::string folder_;
  std::string copy_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
};

}  // namespace automation
