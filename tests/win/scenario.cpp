// window_scenarios HEADER... FILE...: works the real Quorvex.exe and
// Install.exe through their windows, as a user would, by the scenario files
// (docs/window-scenarios.md). Every wait is bounded: a hung program fails a
// scenario, never hangs the run.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using std::string;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Setting up (a process starting, a box appearing) may take this long under
// Wine on a busy machine; a state the program reaches by itself, this long.
constexpr milliseconds kSetupWait{10000}, kStateWait{6000};
constexpr UINT kSendTimeoutMs = 10000;
constexpr int kMessageTextId = 0xFFFF;  // the text of a message box

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

string lastError(const string& what) { return what + " (error " + std::to_string(GetLastError()) + ")"; }

bool waitUntil(const std::function<bool()>& done, milliseconds timeout = kSetupWait) {
  for (auto deadline = Clock::now() + timeout;; std::this_thread::sleep_for(milliseconds(25))) {
    if (done()) return true;
    if (Clock::now() >= deadline) return false;
  }
}

string shown(const string& text) {
  string out = "\"";
  for (char c : text) out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : string(1, c);
  return out + "\"";
}

// Reads until it gives the wanted text, for a few seconds at most: what a
// program shows may come a notification or a tick later.
void expect(const string& what, const string& wanted, const std::function<string()>& read) {
  string seen;
  waitUntil([&] { return (seen = read()) == wanted; }, kStateWait);
  if (seen != wanted) throw Failure(what + ": wanted " + shown(wanted) + ", saw " + shown(seen));
}

string windowsPath(string path) {
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result))
    throw Failure(lastError("message " + std::to_string(message) + " got no answer"));
  return static_cast<LRESULT>(result);
}

void post(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  if (!PostMessageA(window, message, wParam, lParam)) throw Failure(lastError("PostMessage"));
}

string windowText(HWND window) {
  string text(static_cast<size_t>(send(window, WM_GETTEXTLENGTH)) + 1, '\0');
  text.resize(static_cast<size_t>(send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

string className(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct WindowSearch {
  DWORD process;
  bool dialogsOnly;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->process && (!search->dialogsOnly || className(window) == "#32770"))
    search->found.push_back(window);
  return TRUE;
}

// A process's top-level windows, or only its dialogs (message boxes among them).
std::vector<HWND> windowsOf(DWORD process, bool dialogsOnly) {
  WindowSearch search{process, dialogsOnly, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The clipboard belongs to a window; a hidden message-only one serves. The
// program under test opens the clipboard too, every tick: open with retries.
void openClipboard() {
  static HWND owner = CreateWindowA("STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  if (!waitUntil([] { return OpenClipboard(owner) != FALSE; })) throw Failure(lastError("the clipboard stays busy"));
}

void putClipboardText(const string& text) {
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  std::copy(text.c_str(), text.c_str() + text.size() + 1, static_cast<char*>(GlobalLock(memory)));
  GlobalUnlock(memory);
  openClipboard();
  EmptyClipboard();
  bool given = SetClipboardData(CF_TEXT, memory) != nullptr;
  CloseClipboard();
  if (!given) throw Failure(lastError("SetClipboardData"));
}

string clipboardText() {
  openClipboard();
  string text;
  HANDLE data = GetClipboardData(CF_TEXT);
  if (const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr) {
    text = bytes;
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

string readFile(const string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool fileExists(const string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The names in a folder, sorted.
std::vector<string> filesIn(const string& folder) {
  std::vector<string> names;
  std::error_code absent;
  for (const auto& entry : std::filesystem::directory_iterator(folder, absent))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

string shellFolder(int csidl) {
  char path[MAX_PATH + 1] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE)) throw Failure("no shell folder " + std::to_string(csidl));
  return path;
}

// A shortcut file as IShellLinkA reads it: target (as written, not resolved),
// arguments, icon, working folder and description, joined by " | ".
string shortcutOf(const string& path) {
  if (!fileExists(path)) throw Failure("no shortcut file " + path);
  string result = "(unreadable)";
  CoInitialize(nullptr);
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  wchar_t widePath[MAX_PATH + 1] = {};
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH);
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                 reinterpret_cast<void**>(&link))) &&
      SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(widePath, STGM_READ))) {
    char target[1024] = "", arguments[1024] = "", icon[1024] = "", folder[1024] = "", description[1024] = "";
    int iconIndex = 0;
    link->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH);
    link->GetArguments(arguments, sizeof arguments);
    link->GetIconLocation(icon, sizeof icon, &iconIndex);
    link->GetWorkingDirectory(folder, sizeof folder);
    link->GetDescription(description, sizeof description);
    result = string(target) + " | " + arguments + " | " + icon + "," + std::to_string(iconIndex) + " | " + folder +
             " | " + description;
  }
  if (file) file->Release();
  if (link) link->Release();
  CoUninitialize();
  return result;
}

// A registry value's type and bytes (a string with its closing zero).
std::optional<std::pair<DWORD, string>> registryValue(HKEY root, const string& key, const string& name) {
  DWORD type = REG_NONE, size = 0;
  auto read = [&](void* data) {
    return RegGetValueA(root, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data, &size) == ERROR_SUCCESS;
  };
  if (!read(nullptr)) return std::nullopt;
  string bytes(size, '\0');
  if (!read(bytes.data())) return std::nullopt;
  return std::pair{type, bytes.substr(0, size)};
}

bool registryKeyExists(HKEY root, const string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

void setRegistryValue(HKEY root, const string& key, const string& name, DWORD type, const string& bytes) {
  if (RegSetKeyValueA(root, key.c_str(), name.c_str(), type, bytes.data(), static_cast<DWORD>(bytes.size())) !=
      ERROR_SUCCESS)
    throw Failure("cannot write " + key + " value " + name);
}

HKEY rootOf(const string& name) {
  static const std::map<string, HKEY> kRoots = {
      {"HKCR", HKEY_CLASSES_ROOT}, {"HKLM", HKEY_LOCAL_MACHINE}, {"HKCU", HKEY_CURRENT_USER}};
  auto root = kRoots.find(name);
  if (root == kRoots.end()) throw Failure("no registry root " + name);
  return root->second;
}

// Where an installation leaves its traces.
const string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvex";
const string kTypeKey = "Quorvex Calculator";
string groupFolder() { return shellFolder(CSIDL_PROGRAMS) + "\\Quorvex"; }

std::vector<string> installationTraces() {
  std::vector<string> paths = {groupFolder()};
  for (int folder : {CSIDL_STARTMENU, CSIDL_DESKTOPDIRECTORY})
    for (const char* name : {"Rechner", "Calculator"}) paths.push_back(shellFolder(folder) + "\\" + name + ".LNK");
  return paths;
}

void removeInstallation() {
  for (const string& key : {string(".QVX"), kTypeKey}) SHDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
  SHDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallKey.c_str());
  std::error_code absent;
  for (const string& path : installationTraces()) std::filesystem::remove_all(path, absent);
}

// The shortcuts and registry values of a first installation in a language, as steps.
std::vector<string> installationSteps(bool german, bool topLevel) {
  string letter = german ? "g" : "e", calculator = german ? "Rechner" : "Calculator";
  string other = german ? "Calculator" : "Rechner";
  string program = "{folder}\\Quorvex.exe | " + string(german ? "deutsch" : "") + " | {folder}\\Quorvex.exe,0";
  string readme = german ? "Liesmich" : "Readme", documentation = german ? "Dokumentation" : "Documentation";
  string uninstall = "{folder}\\Install.exe /deinstal_" + letter + " {folder}";
  return {
      "shortcut {group}\\" + string(german ? "Quorvex Rechner" : "Calculator") + ".LNK | " + program,
      "shortcut {group}\\" + documentation + ".LNK | {folder}\\Quorv_" + letter + "{help} | |",
      "shortcut {group}\\" + readme + ".LNK | {folder}\\" + readme + ".txt | |",
      "shortcut {group}\\Uninstall.LNK | {folder}\\Install.exe | /deinstal_" + letter +
          " {folder} | {folder}\\Install.exe,1",
      "files {group} | " + string(german ? "Dokumentation.LNK Liesmich.LNK Quorvex Rechner.LNK"
                                         : "Calculator.LNK Documentation.LNK Readme.LNK") + " Uninstall.LNK",
      "shortcut {desktop}\\" + calculator + ".LNK | " + program,
      topLevel ? "shortcut {startmenu}\\" + calculator + ".LNK | " + program
               : "no-file {startmenu}\\" + calculator + ".LNK",
      "no-file {startmenu}\\" + other + ".LNK",
      "no-file {desktop}\\" + other + ".LNK",
      "registry HKCR " + kTypeKey + " | | " + kTypeKey,
      "registry HKCR " + kTypeKey + "\\DefaultIcon | | {folder}\\Quorvex.exe,0",
      "registry HKCR " + kTypeKey + "\\Shell\\open\\command | | {folder}\\Quorvex.exe \"%1\"",
      "registry HKLM {uninstall} | DisplayName | Quorvex Calculator",
      "registry HKLM {uninstall} | UninstallString | " + uninstall,
      "registry HKLM {uninstall} | Publisher | Brannoc Software",
      "registry HKLM {uninstall} | InstallSource | {folder}",
      "registry HKLM {uninstall} | DisplayIcon | {folder}\\Quorvex.exe,-0",
      "registry HKLM {uninstall} | DisplayVersion | {version}",
      "registry HKLM {uninstall} | LinksDir | {group}",
      // Web addresses are the maker's choice: there, as strings.
      "registry HKLM {uninstall} | HelpLink | *",
      "registry HKLM {uninstall} | URLUpdateInfo | *",
  };
}

// Wine links every prefix's desktop to the Unix home folder, which other test
// runs share: while installer scenarios run, the desktop is a folder of the
// prefix's own, and the user's setting comes back at the end.
class PrivateDesktop {
 public:
  PrivateDesktop() {
    for (const char* key : kKeys) saved_.push_back(registryValue(HKEY_CURRENT_USER, key, "Desktop"));
    char profile[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
    string folder = string(profile) + "\\Desktop of the installer tests";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* key : kKeys) setRegistryValue(HKEY_CURRENT_USER, key, "Desktop", REG_SZ, folder + '\0');
    if (shellFolder(CSIDL_DESKTOPDIRECTORY) != folder)
      throw Failure("the desktop folder stays " + shellFolder(CSIDL_DESKTOPDIRECTORY));
    // The uninstall would open a file manager on the folder; nobody looks.
    SetEnvironmentVariableA("QUORVEX_NO_EXPLORER", "1");
  }
  ~PrivateDesktop() {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i]) setRegistryValue(HKEY_CURRENT_USER, kKeys[i], "Desktop", saved_[i]->first, saved_[i]->second);
      else RegDeleteKeyValueA(HKEY_CURRENT_USER, kKeys[i], "Desktop");
    }
  }

 private:
  static constexpr const char* kKeys[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  std::vector<std::optional<std::pair<DWORD, string>>> saved_;
};

// Wine hands a program's windows to the X window manager, and waits for it
// (two seconds, in vain) whenever one closes; on Xvfb there is none. For the
// program under test Wine is told to keep its windows to itself, which also
// makes it draw their captions, as they appear in pictures.
void keepWindowsFromTheWindowManager(const string& name) {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;  // real Windows
  RegSetKeyValueA(HKEY_CURRENT_USER, ("Software\\Wine\\AppDefaults\\" + name + "\\X11 Driver").c_str(), "Managed",
                  REG_SZ, "N", 2);
}

// A text argument: quoted, with \r \n \t \xHH \" \\ escapes, or the words as they stand.
string unquote(const string& rest) {
  if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return rest;
  string text;
  for (std::size_t i = 1; i + 1 < rest.size(); ++i) {
    char c = rest[i];
    if (c == '\\' && i + 2 < rest.size()) {
      c = rest[++i];
      if (c == 'x') c = static_cast<char>(std::stoi(rest.substr(i + 1, 2), nullptr, 16)), i += 2;
      else if (c == 'r' || c == 'n' || c == 't') c = c == 'r' ? '\r' : c == 'n' ? '\n' : '\t';
    }
    text += c;
  }
  return text;
}

// A step split into its kind and words; text(n) is the line after the first
// n words, unquoted.
struct Step {
  explicit Step(string line) : line(std::move(line)) {
    std::istringstream in(this->line);
    in >> kind;
    for (string w; in >> w;) words.push_back(w);
  }
  const string& word(std::size_t i) const {
    if (i >= words.size()) throw Failure("the step is missing a word");
    return words[i];
  }
  int number(std::size_t i) const { return std::stoi(word(i)); }
  string raw(std::size_t skip) const {
    std::istringstream in(line);
    string rest;
    for (std::size_t i = 0; i <= skip; ++i) in >> rest;
    std::getline(in >> std::ws, rest);
    return in ? rest : "";
  }
  string text(std::size_t skip) const { return unquote(raw(skip)); }
  // The text split at "|", without the blanks around each field.
  std::vector<string> fields(std::size_t skip, std::size_t count) const {
    string all = text(skip) + " |";
    std::vector<string> out;
    for (std::size_t at = 0, bar; (bar = all.find('|', at)) != string::npos; at = bar + 1) {
      string field = all.substr(at, bar - at);
      std::size_t first = field.find_first_not_of(' ');
      out.push_back(first == string::npos ? "" : field.substr(first, field.find_last_not_of(' ') - first + 1));
    }
    if (out.size() != count) throw Failure("the step wants " + std::to_string(count) + " fields split by |");
    return out;
  }
  string line, kind;
  std::vector<string> words;
};

struct Scenario {
  string name;
  bool installer = false;  // else the calculator
  std::vector<std::pair<string, string>> steps;  // file:line, step
};

std::vector<Scenario> readScenarios(const string& path) {
  std::ifstream in(path);
  if (!in) throw Failure("cannot read " + path);
  std::vector<Scenario> scenarios;
  bool installer = false;
  int number = 0;
  for (string text; std::getline(in, text);) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::size_t first = text.find_first_not_of(" \t");
    if (first == string::npos || text[first] == '#') continue;
    text = text.substr(first);
    string where = path.substr(path.find_last_of("\\/") + 1) + ":" + std::to_string(number);
    if (text.rfind("==", 0) == 0) scenarios.push_back({text.substr(text.find_first_not_of("= ")), installer, {}});
    else if (scenarios.empty() && text == "program installer") installer = true;
    else if (scenarios.empty()) throw Failure(where + ": a step before the first \"==\" line");
    else scenarios.back().steps.emplace_back(where, text);
  }
  return scenarios;
}

// Ids by their names: every "#define NAME NUMBER" of the headers.
std::map<string, int> readIds(const std::vector<string>& headers) {
  std::map<string, int> ids;
  for (const string& header : headers) {
    std::ifstream in(header);
    if (!in) throw Failure("cannot read " + header);
    for (string line, directive, name, number; std::getline(in, line);) {
      std::istringstream words(line);
      if (words >> directive >> name >> number && directive == "#define" &&
          number.find_first_not_of("0123456789") == string::npos)
        ids[name] = std::stoi(number);
    }
  }
  return ids;
}

// The program under test, each scenario in a fresh folder of its own that
// holds a copy of it and is its working directory.
class Runner {
 public:
  Runner(std::map<string, int> ids, string calculator, string installer)
      : ids_(std::move(ids)), calculator_(std::move(calculator)), installer_(std::move(installer)) {}

  void run(const Scenario& scenario) {
    isInstaller_ = scenario.installer;
    if (isInstaller_ && !desktop_) desktop_ = std::make_unique<PrivateDesktop>();
    newFolder(0);  // after the end of the last run, and of any installation it left
    try {
      for (const auto& [where, line] : scenario.steps) {
        try {
          perform(Step(expand(line)));
        } catch (const std::exception& e) {
          throw Failure(where + ": " + line + "\n    " + e.what());
        }
      }
    } catch (...) {
      finish();
      throw;
    }
    finish();
  }

 private:
  using Action = std::function<void(Runner&, const Step&)>;

  static const std::map<string, Action>& steps() {
    static const std::map<string, Action> table = {
        // Starting and ending
        {"write", [](Runner& r, const Step& s) { r.writeFile(s.word(0), s.text(1)); }},
        {"start", [](Runner& r, const Step& s) { r.launch(s.raw(0)), r.waitForMainWindow(); }},
        {"launch", [](Runner& r, const Step& s) { r.launch(s.raw(0)); }},
        {"window", [](Runner& r, const Step&) { r.waitForMainWindow(); }},
        {"exit", [](Runner& r, const Step& s) { post(r.main(), WM_COMMAND, IDCANCEL), r.expectExit(s.word(0)); }},
        {"ends", [](Runner& r, const Step& s) { r.expectExit(s.word(0)); }},
        {"folder-length", [](Runner& r, const Step& s) { r.newFolder(s.number(0)); }},
        // Message boxes
        {"box", [](Runner& r, const Step& s) { r.answerBox(s.text(0), IDOK); }},
        {"box-yes", [](Runner& r, const Step& s) { r.answerBox(s.text(0), IDYES); }},
        {"box-no", [](Runner& r, const Step& s) { r.answerBox(s.text(0), IDNO); }},
        {"box-any", [](Runner& r, const Step&) { r.answerBox("", IDOK); }},
        {"caption", [](Runner& r, const Step& s) { expect("caption", s.text(0), [&] { return windowText(r.box()); }); }},
        // Working the controls
        {"set", [](Runner& r, const Step& s) { r.ask(s.word(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(s.text(1).c_str())); }},
        {"type", [](Runner& r, const Step& s) { for (char c : s.text(1)) post(r.control(s.word(0)), WM_CHAR, static_cast<unsigned char>(c), 1); }},
        {"click", [](Runner& r, const Step& s) { for (const string& id : s.words) r.ask(id, BM_CLICK); }},
        {"press", [](Runner& r, const Step& s) { r.command(s.word(0), BN_CLICKED, false); }},
        {"focus", [](Runner& r, const Step& s) { r.clickInto(s.word(0)); }},
        {"choose", [](Runner& r, const Step& s) { r.ask(s.word(0), CB_SETCURSEL, s.number(1)), r.command(s.word(0), CBN_SELCHANGE, true); }},
        {"pick", [](Runner& r, const Step& s) { r.ask(s.word(0), LB_SETCURSEL, s.number(1)), r.command(s.word(0), LBN_SELCHANGE, true); }},
        {"menu", [](Runner& r, const Step& s) { r.menuCommand(r.id(s.word(0))); }},
        {"key", [](Runner& r, const Step& s) { r.pressKey(s.word(0), s.word(1)); }},
        {"close", [](Runner& r, const Step& s) { post(GetParent(r.control(s.word(0))), WM_SYSCOMMAND, SC_CLOSE); }},
        {"size", [](Runner& r, const Step& s) { SetWindowPos(GetParent(r.control(s.word(0))), nullptr, 0, 0, s.number(1), s.number(2), SWP_NOMOVE | SWP_NOZORDER); }},
        {"sized", [](Runner& r, const Step& s) { expect("size", s.word(1) + " " + s.word(2), [&] { RECT f = r.rectOf(GetParent(r.control(s.word(0)))); return std::to_string(f.right - f.left) + " " + std::to_string(f.bottom - f.top); }); }},
        {"hover", [](Runner& r, const Step& s) { post(r.control(s.word(0)), WM_MOUSEMOVE, 0, MAKELPARAM(s.number(1), s.number(2))); }},
        {"click-at", [](Runner& r, const Step& s) { post(r.control(s.word(0)), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(s.number(1), s.number(2))); }},
        {"tick", [](Runner& r, const Step& s) { for (int i = s.words.empty() ? 1 : s.number(0); i > 0; --i) r.tick(); }},
        {"widen", [](Runner& r, const Step& s) { r.widen(s.number(0), s.number(1)); }},
        {"move", [](Runner& r, const Step& s) { r.moveMainWindow(s.number(0), s.number(1)); }},
        {"place", [](Runner& r, const Step& s) { SetWindowPos(r.main(), nullptr, s.number(0), s.number(1), 0, 0, SWP_NOSIZE | SWP_NOZORDER); }},
        {"clipboard", [](Runner&, const Step& s) { putClipboardText(s.text(0)); }},
        // What they show
        {"expect", [](Runner& r, const Step& s) { expect(s.word(0), s.text(1), [&] { return windowText(r.control(s.word(0))); }); }},
        {"checked", [](Runner& r, const Step& s) { r.expectYes(s, [&] { return r.ask(s.word(0), BM_GETCHECK) == BST_CHECKED; }); }},
        {"visible", [](Runner& r, const Step& s) { r.expectYes(s, [&] { return IsWindowVisible(r.control(s.word(0))) != FALSE; }); }},
        {"chosen", [](Runner& r, const Step& s) { expect(s.word(0), s.word(1), [&] { return std::to_string(r.ask(s.word(0), CB_GETCURSEL)); }); }},
        {"items", [](Runner& r, const Step& s) { expect(s.word(0), s.text(1), [&] { return r.listItems(s.word(0)); }); }},
        {"caret", [](Runner& r, const Step& s) { expect(s.word(0), s.word(1) + " " + s.word(2), [&] { return r.selection(s.word(0)); }); }},
        {"grown", [](Runner& r, const Step& s) { r.expectGrown(s.word(0), s.number(1), s.number(2)); }},
        {"gone", [](Runner& r, const Step& s) { expect(s.word(0), "gone", [&] { return r.findControl(r.id(s.word(0))) ? "open" : "gone"; }); }},
        {"title", [](Runner& r, const Step& s) { expect("title", s.text(0), [&] { return windowText(r.main()); }); }},
        {"minimized", [](Runner& r, const Step& s) { expect("minimized", s.word(0), [&] { return IsIconic(r.main()) ? "yes" : "no"; }); }},
        {"expect-clipboard", [](Runner&, const Step& s) { expect("the clipboard", s.text(0), clipboardText); }},
        {"help", [](Runner& r, const Step& s) { r.expectHelp(s.text(0)); }},
        // Files
        {"file", [](Runner& r, const Step& s) { expect(s.word(0), s.text(1), [&] { return readFile(r.pathOf(s.word(0))); }); }},
        {"file-line", [](Runner& r, const Step& s) { r.expectLine(s.word(0), s.text(1)); }},
        {"file-bytes", [](Runner& r, const Step& s) { r.expectBytes(s); }},
        {"no-file", [](Runner& r, const Step& s) { if (fileExists(r.pathOf(s.text(0)))) throw Failure(s.text(0) + " is there"); }},
        {"delete", [](Runner& r, const Step& s) { if (!DeleteFileA(r.pathOf(s.text(0)).c_str())) throw Failure(lastError("cannot delete")); }},
        {"files", [](Runner& r, const Step& s) { auto f = s.fields(0, 2); expect(f[0], f[1], [&] { return r.namesIn(f[0]); }); }},
        // The installer's world
        {"shortcut", [](Runner& r, const Step& s) { r.expectShortcut(s.fields(0, 4)); }},
        {"registry", [](Runner&, const Step& s) { expectRegistry(rootOf(s.word(0)), s.fields(1, 3)); }},
        {"set-registry", [](Runner&, const Step& s) { auto f = s.fields(1, 3); setRegistryValue(rootOf(s.word(0)), f[0], f[1], REG_SZ, f[2] + '\0'); }},
        {"no-key", [](Runner&, const Step& s) { if (registryKeyExists(rootOf(s.word(0)), s.text(1))) throw Failure("the key is there"); }},
        {"installed", [](Runner& r, const Step& s) { r.performAll(installationSteps(s.word(0) == "de", s.word(1) == "top")); }},
        {"installs", [](Runner& r, const Step&) { r.performAll({"press IDC_DO_INSTAL", "box-any", "ends 0"}); }},
        {"uninstalls", [](Runner& r, const Step& s) { r.performAll({"launch " + s.raw(0), "box-yes", "box-any", "ends 0"}); }},
        {"no-traces", [](Runner&, const Step&) { expectNoTraces(); }},
        // Pictures (scripts/screenshots): the rectangle of all the program's
        // windows into a file, then a wait until the picture is taken.
        {"picture", [](Runner& r, const Step& s) { r.picture(windowsPath(s.word(0)), windowsPath(s.word(1))); }},
    };
    return table;
  }

  void perform(const Step& step) {
    auto action = steps().find(step.kind);
    if (action == steps().end()) throw Failure("no step is called " + shown(step.kind));
    action->second(*this, step);
  }

  void performAll(const std::vector<string>& lines) {
    for (const string& line : lines) perform(Step(expand(line)));
  }

  int id(const string& name) const {
    auto found = ids_.find(name);
    if (found == ids_.end()) throw Failure("the resource headers name no " + name);
    return found->second;
  }

  // {folder} ({FOLDER} in capitals), {group}, {startmenu}, {desktop},
  // {uninstall}, {version}, {help} (the help files' extension) and {N*c}, N times c.
  string expand(string text) const {
    char windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::pair<string, std::function<string()>> kPlaces[] = {
        {"{folder}", [&] { return folder_; }},
        {"{FOLDER}", [&] { string f = folder_; for (char& c : f) c = static_cast<char>(toupper(c)); return f; }},
        {"{group}", groupFolder},
        {"{startmenu}", [] { return shellFolder(CSIDL_STARTMENU); }},
        {"{desktop}", [] { return shellFolder(CSIDL_DESKTOPDIRECTORY); }},
        {"{uninstall}", [] { return kUninstallKey; }},
        {"{version}", [] { return QVX_VERSION; }},
        // The help viewer decides between the two help formats.
        {"{help}", [&] { return fileExists(string(windows) + "\\hh.exe") ? ".chm" : ".hlp"; }},
    };
    for (const auto& [name, value] : kPlaces)
      for (std::size_t at; (at = text.find(name)) != string::npos;) text.replace(at, name.size(), value());
    for (std::size_t at; (at = text.find('{')) != string::npos;) {
      std::size_t star = text.find('*', at), end = text.find('}', at);
      if (star == string::npos || end != star + 2) break;
      text.replace(at, end - at + 1, string(std::stoul(text.substr(at + 1, star - at - 1)), text[star + 1]));
    }
    return text;
  }

  // A fresh folder (folderLength characters long if asked) with the help files;
  // the installer only points at the calculator's files, so stand-ins will do.
  void newFolder(std::size_t folderLength) {
    finish();
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    static unsigned serial = 0;
    top_ = folder_ = string(temp) + "qvx-run-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
    if (!CreateDirectoryA(folder_.c_str(), nullptr)) throw Failure(lastError("cannot create " + folder_));
    while (folder_.size() + 1 < folderLength) {
      std::size_t rest = folderLength - folder_.size() - 1;
      folder_ += "\\" + string(rest > 100 ? std::min<std::size_t>(rest - 2, 100) : rest, 'q');
      if (!CreateDirectoryA(folder_.c_str(), nullptr)) throw Failure(lastError("cannot create " + folder_));
    }
    // Help calls are noted in the folder: the viewer does not tell which topic it shows.
    SetEnvironmentVariableA("QVX_HELP_LOG", pathOf("help-calls.txt").c_str());
    string built = calculator_.substr(0, calculator_.find_last_of('\\') + 1);
    for (const char* help : {"Quorv_e.chm", "Quorv_g.chm"}) CopyFileA((built + help).c_str(), pathOf(help).c_str(), FALSE);
    if (isInstaller_)
      for (auto [name, bytes] : {std::pair{"Quorvex.exe", "MZ stand-in"}, {"Readme.txt", "Readme\r\n"}, {"Liesmich.txt", "Liesmich\r\n"}})
        writeFile(name, bytes);
    string program = isInstaller_ ? installer_ : calculator_;
    string name = program.substr(program.find_last_of('\\') + 1);
    if (!CopyFileA(program.c_str(), pathOf(name).c_str(), FALSE)) throw Failure(lastError("cannot copy " + program));
    keepWindowsFromTheWindowManager(name);
    copy_ = pathOf(name);
  }

  void finish() {
    if (process_.hProcess) {
      TerminateProcess(process_.hProcess, 99);
      WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kSetupWait.count()));
      CloseHandle(process_.hProcess);
      CloseHandle(process_.hThread);
    }
    process_ = {};
    main_ = nullptr;
    std::error_code gone;
    if (!top_.empty() && !std::getenv("QVX_KEEP_FOLDERS")) std::filesystem::remove_all(top_, gone);
    top_.clear();
    if (isInstaller_) removeInstallation();
  }

  string namesIn(const string& folder) const {
    string joined;
    for (const string& name : filesIn(pathOf(folder))) joined += (joined.empty() ? "" : " ") + name;
    return joined;
  }

  // A whole path as it stands, else a name in the program's folder.
  string pathOf(const string& path) const { return path.find(':') != string::npos ? path : folder_ + "\\" + path; }

  void writeFile(const string& name, const string& bytes) const {
    std::ofstream out(pathOf(name), std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) throw Failure("cannot write " + name);
  }

  bool running() const { return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

  // The command line as it stands, quotes and all; again after an earlier run has ended.
  void launch(const string& arguments) {
    if (running()) throw Failure("the program is still running");
    if (process_.hProcess) CloseHandle(process_.hProcess), CloseHandle(process_.hThread);
    string commandLine = copy_.find(' ') == string::npos ? copy_ : "\"" + copy_ + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    process_ = {};
    main_ = nullptr;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                        &process_))
      throw Failure(lastError("cannot start " + commandLine));
  }

  // A message box: the text static 0xFFFF and one of the standard answer
  // buttons (dialog templates give labels the id -1 too).
  HWND findBox() const {
    for (HWND dialog : windowsOf(process_.dwProcessId, true)) {
      HWND text = GetDlgItem(dialog, kMessageTextId);
      if (!text || !IsWindowVisible(dialog) || GetDlgItem(dialog, mainControl()) || className(text) != "Static") continue;
      for (int answer : {IDOK, IDCANCEL, IDYES, IDNO, IDABORT, IDRETRY, IDIGNORE})
        if (GetDlgItem(dialog, answer)) return dialog;
    }
    return nullptr;
  }

  HWND box() const {
    HWND found = nullptr;
    if (!waitUntil([&] { return (found = findBox()) || !running(); }) || !found) throw Failure("no message box");
    return found;
  }

  void answerBox(const string& wanted, int answer) {
    HWND dialog = box();
    string text = windowText(GetDlgItem(dialog, kMessageTextId));
    post(dialog, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, answer)));
    if (!waitUntil([&] { return !IsWindow(dialog); })) throw Failure("the message box " + shown(text) + " stays open");
    if (!wanted.empty() && text != wanted) throw Failure("message box: wanted " + shown(wanted) + ", saw " + shown(text));
  }

  int mainControl() const { return id(isInstaller_ ? "IDC_TOP_LEVEL" : "IDC_ENTRY"); }

  // The main dialog, once it shows and serves messages. A message box
  // instead, or the end of the program, ends the wait with its reason.
  void waitForMainWindow() {
    HWND box = nullptr;
    waitUntil([&] {
      for (HWND dialog : windowsOf(process_.dwProcessId, true))
        if (GetDlgItem(dialog, mainControl()) && IsWindowVisible(dialog)) main_ = dialog;
      return main_ || (box = findBox()) || !running();
    });
    if (box) throw Failure("a message box came instead of the main window: " + shown(windowText(GetDlgItem(box, kMessageTextId))));
    if (!main_) throw Failure(running() ? "no main window" : "the program ended before its window appeared");
    send(main_, WM_NULL);
  }

  HWND main() const {
    if (!main_) throw Failure("no main window");
    return main_;
  }

  void expectExit(const string& wanted) {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(kSetupWait.count())) != WAIT_OBJECT_0) {
      HWND open = findBox();
      throw Failure("the program does not end" + (open ? "; a message box is open: " + shown(windowText(GetDlgItem(open, kMessageTextId))) : ""));
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    main_ = nullptr;
    if (std::to_string(code) != wanted) throw Failure("exit code: wanted " + wanted + ", saw " + std::to_string(code));
  }

  // A control of the main dialog, else of another dialog of the program
  // (the calculator's functions, programmer and regression windows).
  HWND findControl(int control) const {
    if (HWND window = GetDlgItem(main(), control)) return window;
    for (HWND dialog : windowsOf(process_.dwProcessId, true))
      if (HWND window = dialog != main_ && IsWindowVisible(dialog) ? GetDlgItem(dialog, control) : nullptr) return window;
    return nullptr;
  }

  HWND control(const string& name) const {
    if (!running()) throw Failure("the program has ended");
    if (HWND window = findControl(id(name))) return window;
    throw Failure("no window of the program has " + name);
  }

  // A message to a control; when the program ends meanwhile, the error says so.
  LRESULT ask(const string& name, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    HWND window = control(name);
    try {
      return send(window, message, wParam, lParam);
    } catch (const Failure&) {
      if (!running()) throw Failure("the program has ended");
      throw;
    }
  }

  // A notification as the control's dialog gets it from the control: sent, or
  // posted where the work shows a message box that would hold up the step.
  void command(const string& name, WORD code, bool wait) const {
    HWND window = control(name);
    WPARAM w = MAKEWPARAM(id(name), code);
    if (wait) send(GetParent(window), WM_COMMAND, w, reinterpret_cast<LPARAM>(window));
    else post(GetParent(window), WM_COMMAND, w, reinterpret_cast<LPARAM>(window));
  }

  // A mouse click at the right end of a field, the caret at the end.
  void clickInto(const string& name) const {
    RECT inside{};
    GetClientRect(control(name), &inside);
    LPARAM point = MAKELPARAM(std::max<LONG>(inside.right - 2, 0), inside.bottom / 2);
    ask(name, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ask(name, WM_LBUTTONUP, 0, point);
    LRESULT end = ask(name, WM_GETTEXTLENGTH);
    ask(name, EM_SETSEL, end, end);
  }

  string selection(const string& name) const {
    auto packed = static_cast<DWORD>(ask(name, EM_GETSEL));
    return std::to_string(LOWORD(packed)) + " " + std::to_string(HIWORD(packed));
  }

  // A state the program reaches by itself, as "yes" or "no".
  void expectYes(const Step& s, const std::function<bool()>& state) const {
    expect(s.word(0), s.word(1), [&] { return state() ? "yes" : "no"; });
  }

  // The calculator's timer: some of its work happens only on a tick. The tick
  // is handed to the window directly, so the step ends when its work is done.
  void tick() const { send(main(), WM_TIMER, id("CALC_TIMER_ID")); }

  // The entries joined by " | ". Wine hands another process's list box items
  // over converted only when asked in UTF-16; back to the "A" text.
  string listItems(const string& name) const {
    HWND list = control(name);
    string joined;
    for (LRESULT i = 0, count = ask(name, LB_GETCOUNT); i < count; ++i) {
      DWORD_PTR length = 0, copied = 0;
      SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_NORMAL, kSendTimeoutMs, &length);
      std::wstring wide(length + 1, L'\0');
      SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL, kSendTimeoutMs, &copied);
      string item(wide.size() * 2 + 1, '\0');
      item.resize(std::max(0, WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(std::min<DWORD_PTR>(copied, length)),
                                                  item.data(), static_cast<int>(item.size()), nullptr, nullptr)));
      joined += (i ? " | " : "") + item;
    }
    return joined;
  }

  // F1 must come from the keyboard itself: the help request is made where the
  // system takes a key from the keyboard, not from a posted message. It goes
  // to the control's window, brought to the front. Other keys are posted.
  void pressKey(const string& name, const string& keyName) const {
    static const std::map<string, int> kKeys = {{"Esc", VK_ESCAPE}, {"F1", VK_F1}, {"Enter", VK_RETURN}, {"Tab", VK_TAB}};
    if (!kKeys.count(keyName)) throw Failure("no key is called " + keyName);
    int key = kKeys.at(keyName);
    HWND field = control(name);
    if (key != VK_F1) {
      LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
      post(field, WM_KEYDOWN, key, scan | 1);
      post(field, WM_KEYUP, key, scan | 1 | (LPARAM(3) << 30));
      return;
    }
    HWND window = GetParent(field);
    SetForegroundWindow(window);
    if (!waitUntil([&] { return GetForegroundWindow() == window; }, kStateWait))
      throw Failure("the window does not come to the front");
    INPUT press[2] = {};
    for (INPUT& input : press) input.type = INPUT_KEYBOARD, input.ki.wVk = VK_F1;
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
  }

  // Runs the command and waits for it, unless it asks something in a message
  // box first: then a "box" step answers it.
  void menuCommand(int command) {
    DWORD_PTR unused = 0;
    if (!SendMessageTimeoutA(main(), WM_SYSCOMMAND, command, 0, SMTO_NORMAL, 1000, &unused) && !findBox())
      throw Failure("the menu command got no answer");
  }

  // The last help call, and the help viewer's window.
  void expectHelp(const string& wanted) const {
    expect("help call", wanted, [&] {
      std::istringstream calls(readFile(pathOf("help-calls.txt")));
      string last;
      for (string line; std::getline(calls, line);) last = line;
      return last;
    });
    expect("the help viewer", "up", [&] {
      for (HWND window : windowsOf(process_.dwProcessId, false))
        if (className(window) == "HH Parent" && IsWindowVisible(window)) return "up";
      return "missing";
    });
  }

  void expectShortcut(const std::vector<string>& f) const {
    expect(f[0], f[1] + " | " + f[2] + " | " + (f[3].empty() ? ",0" : f[3]) + " | " + folder_ + " | Quorvex",
           [&] { return shortcutOf(f[0]); });
  }

  static void expectRegistry(HKEY root, const std::vector<string>& f) {
    auto value = registryValue(root, f[0], f[1]);
    if (!value || value->first != REG_SZ) throw Failure(f[0] + " has no string value " + shown(f[1]));
    if (f[2] != "*") expect(f[0] + " " + f[1], f[2] + '\0', [&] { return value->second; });
  }

  static void expectNoTraces() {
    for (const auto& [root, key] : {std::pair{HKEY_CLASSES_ROOT, string(".QVX")}, {HKEY_CLASSES_ROOT, kTypeKey},
                                    {HKEY_LOCAL_MACHINE, kUninstallKey}})
      if (registryKeyExists(root, key)) throw Failure("the registry key " + key + " is left");
    for (const string& path : installationTraces())
      if (fileExists(path)) throw Failure(path + " is left");
  }

  void expectLine(const string& file, const string& wanted) const {
    std::istringstream lines(readFile(pathOf(file)));
    for (string line; std::getline(lines, line);)
      if (line == wanted || line == wanted + "\r") return;
    throw Failure(file + " has no line " + shown(wanted));
  }

  // file-bytes NAME AT B...: decimal bytes from offset AT; "-" where the file has ended.
  void expectBytes(const Step& s) const {
    string bytes = readFile(pathOf(s.word(0))), wanted, seen;
    for (std::size_t i = 2, at = static_cast<std::size_t>(s.number(1)); i < s.words.size(); ++i, ++at) {
      wanted += s.word(i) + " ";
      seen += (at < bytes.size() ? std::to_string(static_cast<unsigned char>(bytes[at])) : "-") + " ";
    }
    expect(s.word(0) + " from byte " + s.word(1), wanted, [&] { return seen; });
  }

  RECT rectOf(HWND window) const {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }

  // Drags the frame: the window may correct the proposed rectangle, and
  // never changes its height.
  void widen(int dx, int dy) {
    before_.clear();
    for (const auto& [name, value] : ids_)
      if (HWND control = name.rfind("IDC_", 0) == 0 ? GetDlgItem(main(), value) : nullptr) before_[value] = rectOf(control);
    RECT frame = rectOf(main()), proposed = frame;
    proposed.right += dx;
    proposed.bottom += dy;
    send(main(), WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
    expect("height", std::to_string(frame.bottom - frame.top), [&] { return std::to_string(proposed.bottom - proposed.top); });
  }

  void expectGrown(const string& name, int dw, int dx) const {
    auto was = before_.find(id(name));
    if (was == before_.end()) throw Failure("no \"widen\" step before");
    expect(name, std::to_string(dw) + " wider, " + std::to_string(dx) + " further right", [&] {
      RECT now = rectOf(control(name));
      return std::to_string((now.right - now.left) - (was->second.right - was->second.left)) + " wider, " +
             std::to_string(now.left - was->second.left) + " further right";
    });
  }

  // Moves the main window; every other window of the calculator follows by as much.
  void moveMainWindow(int dx, int dy) {
    std::map<HWND, RECT> before;
    for (HWND dialog : windowsOf(process_.dwProcessId, true))
      if (IsWindowVisible(dialog)) before[dialog] = rectOf(dialog);
    RECT r = rectOf(main());
    SetWindowPos(main(), nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (const auto& entry : before)
      expect("a window at " + std::to_string(entry.second.left) + "," + std::to_string(entry.second.top), "moved", [&] {
        const RECT& was = entry.second;
        RECT now = rectOf(entry.first);
        return now.left == was.left + dx && now.top == was.top + dy ? "moved" : std::to_string(now.left) + "," + std::to_string(now.top);
      });
  }

  void picture(const string& rectFile, const string& doneFile) const {
    RECT all = rectOf(main());
    for (HWND dialog : windowsOf(process_.dwProcessId, true))
      if (RECT r = rectOf(dialog); IsWindowVisible(dialog)) UnionRect(&all, &all, &r);
    std::ofstream(rectFile) << all.left << ' ' << all.top << ' ' << all.right - all.left << ' ' << all.bottom - all.top << '\n';
    if (!waitUntil([&] { return fileExists(doneFile); }, milliseconds(120000))) throw Failure("nobody took the picture");
  }

  std::map<string, int> ids_;
  string calculator_, installer_;  // the programs as built
  bool isInstaller_ = false;
  string top_, folder_, copy_;  // the fresh folder, where the program runs in it, its copy
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  std::unique_ptr<PrivateDesktop> desktop_;
  std::map<int, RECT> before_;  // control rectangles before "widen"
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<string> headers, files;
  for (int i = 1; i < argc; ++i) {
    string path = windowsPath(argv[i]);
    (path.size() > 2 && path.compare(path.size() - 2, 2, ".h") == 0 ? headers : files).push_back(path);
  }
  if (headers.empty() || files.empty()) {
    std::fprintf(stderr, "usage: window_scenarios HEADER... FILE...\n");
    return 2;
  }
  int passed = 0, failed = 0;
  try {
    Runner runner(readIds(headers), windowsPath(QVX_QUORVEX_EXE), windowsPath(QVX_INSTALL_EXE));
    for (const string& file : files) {
      for (const Scenario& scenario : readScenarios(file)) {
        try {
          runner.run(scenario);
          ++passed;
          std::printf("ok      %s\n", scenario.name.c_str());
        } catch (const std::exception& e) {
          ++failed;
          std::printf("FAILED  %s\n  %s\n", scenario.name.c_str(), e.what());
        }
        std::fflush(stdout);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "window_scenarios: %s\n", e.what());
    return 2;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
