// Runs scenario files against the real programs, as a user would work them.
//
//   window_scenarios HEADER... FILE...
//
// A scenario starts with a line "== what it shows" and is a list of steps,
// one a line: a step kind, then its words. Controls and menu entries are
// named as in the resource headers (IDC_..., IDM_...). A TEXT is the rest of
// the line, or a quoted text where blanks at its ends matter or it is empty;
// \r, \n, \t, \xHH, \" and \\ stand for what they say in it. "#" at the
// start of a line is a comment. Every scenario has a fresh folder, which is
// the program's folder and working directory. A line "program installer"
// before the first scenario of a file makes Install.exe the file's program
// (else it is Quorvex.exe).
//
// In every step {folder} is the program's folder ({FOLDER} in capitals),
// {group}, {startmenu} and {desktop} the shell folders of the installation,
// {help} the help files' extension, {uninstall} the uninstall entry's
// registry key, and {N*c} the character c N times.
//
// Starting and ending:
//   write NAME TEXT          a file in the folder, before the start
//   start [ARGUMENTS]        the calculator with that command line (as it stands,
//                            quotes and all); its window is up
//   launch [ARGUMENTS]       the same, without waiting for the window
//   box TEXT                 a message box with that text comes up and is answered OK
//   window                   the main window is up, after the message boxes
//   exit CODE                Esc in the main window; the program ends with CODE
// The controls:
//   set ID TEXT              the control's text (WM_SETTEXT)
//   type ID TEXT             the characters, typed into the control
//   click ID                 a click on the button
//   focus ID                 a click into the field, caret at its end
//   choose ID N              entry N of a drop-down list, as the user picks it
//   pick ID N                entry N of a list box, as the user picks it
//   menu ID                  a command of the system menu
//   key ID Esc|F1|Enter|Tab  the key pressed in that control
//   close ID                 that window's close box
//   tick [N]                 N ticks (1 when not given) of the calculator's timer have passed
//   widen DX DY              the main window's frame is dragged DX wider, DY taller
//   move DX DY               the main window moves; every window beside it follows
// What they show (texts are waited for, up to a few seconds):
//   expect ID TEXT           the control's text
//   checked ID yes|no        the check mark of a check box or radio button
//   chosen ID N              the entry chosen in a drop-down list
//   items ID TEXT            the list box's entries, joined by " | "
//   visible ID yes|no        whether the control shows
//   caret ID FROM TO         the selection in a field
//   grown ID DW DX           since "widen": the control is DW wider and DX further right
//   gone ID                  no window holds the control any more
//   title TEXT               the main window's title
//   minimized yes|no         whether the main window is minimized
//   clipboard TEXT           puts the text on the clipboard
//   expect-clipboard TEXT    the clipboard's text
// Files in the folder, after the program has ended:
//   file NAME TEXT           the whole file
//   file-line NAME TEXT      the file has a line TEXT
//   no-file PATH             there is no such file (PATH: in the folder, or a whole path)
//   delete PATH              the file is removed
//   files FOLDER | NAMES     the folder holds exactly these files (blank-separated)
//   file-bytes NAME AT B...  the bytes from offset AT (decimal numbers)
//   file-int NAME AT N       a 32-bit little-endian number at offset AT
//   file-size NAME N         the file's size
// The installer's world:
//   folder-length N          the folder's path is N characters long (the first step)
//   press ID                 a click on a button whose work shows a message box
//   caption TEXT             the message box that is up has this caption
//   box-yes TEXT, box-no TEXT   like box, answered Yes or No; box-any answers any box
//   ends CODE                the program ends by itself with CODE
//   shortcut PATH | TARGET | ARGUMENTS | ICON,INDEX   a shortcut file made for
//                            the folder (description "Quorvex"; ICON empty: none)
//   registry ROOT KEY | NAME | VALUE   a string value (VALUE "*": any string)
//   set-registry ROOT KEY | NAME | VALUE, no-key ROOT KEY
//   installed en|de top|no-top   every shortcut and registry value of a first
//                            installation in that language
//   no-traces                no shortcut or registry key of an installation is left
// Help:
//   help FILE::/TOPIC        the last help call was for that topic (help files
//                            without their folder), and the viewer's window is up
//
// Each scenario runs to its first failing step; the run ends with the
// count of scenarios passed and failed, and exit status 1 if any failed.
#include "automation.h"

#include <shlobj.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace automation;

namespace {

// How long a state the program reaches by itself may take: a timer tick or
// two, on a busy machine.
constexpr milliseconds kStateWait{6000};

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Line {
  std::string where;  // file:line
  std::string text;
};

struct Scenario {
  std::string name;
  bool installer = false;  // else the calculator
  std::vector<Line> steps;
};

// Ids by their names: every "#define NAME NUMBER" of the header.
std::map<std::string, int> readIds(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw Failure("cannot read " + path);
  std::map<std::string, int> ids;
  std::string directive, name, number;
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    if (words >> directive >> name >> number && directive == "#define" &&
        number.find_first_not_of("0123456789") == std::string::npos)
      ids[name] = std::stoi(number);
  }
  return ids;
}

std::vector<Scenario> readScenarios(const std::string& path) {
  std::ifstream in(path);
  if (!in) throw Failure("cannot read " + path);
  std::vector<Scenario> scenarios;
  bool installer = false;
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    text = text.substr(first);
    std::string where = path.substr(path.find_last_of("\\/") + 1) + ":" + std::to_string(number);
    if (text.rfind("==", 0) == 0) {
      scenarios.push_back({text.substr(text.find_first_not_of("= ")), installer, {}});
    } else if (scenarios.empty() && text == "program installer") {
      installer = true;
    } else if (scenarios.empty()) {
      throw Failure(where + ": a step before the first \"==\" line");
    } else {
      scenarios.back().steps.push_back({where, text});
    }
  }
  return scenarios;
}

// A text argument: quoted, with escapes, or the words as they stand.
std::string textOf(const std::string& rest) {
  if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return rest;
  static const std::map<char, char> kEscapes = {{'r', '\r'}, {'n', '\n'}, {'t', '\t'}};
  std::string text;
  for (std::size_t i = 1; i + 1 < rest.size(); ++i) {
    char c = rest[i];
    if (c == '\\' && i + 2 < rest.size()) {
      c = rest[++i];
      if (c == 'x' && i + 3 < rest.size()) {
        c = static_cast<char>(std::stoi(rest.substr(i + 1, 2), nullptr, 16));
        i += 2;
      } else if (auto escape = kEscapes.find(c); escape != kEscapes.end()) {
        c = escape->second;
      }
    }
    text += c;
  }
  return text;
}

std::string shown(const std::string& text) {
  std::string out = "\"";
  for (char c : text) out += c == '\r' ? std::string("\\r") : c == '\n' ? std::string("\\n") : std::string(1, c);
  return out + "\"";
}

void expectEqual(const std::string& what, const std::string& wanted, const std::string& seen) {
  if (seen != wanted) throw Failure(what + ": wanted " + shown(wanted) + ", saw " + shown(seen));
}

int keyOf(const std::string& name) {
  static const std::map<std::string, int> kKeys = {
      {"Esc", VK_ESCAPE}, {"F1", VK_F1}, {"Enter", VK_RETURN}, {"Tab", VK_TAB}};
  auto key = kKeys.find(name);
  if (key == kKeys.end()) throw Failure("no key is called " + name);
  return key->second;
}

std::string yesNo(bool value) { return value ? "yes" : "no"; }

// A step split into its kind, its words and, past a given number of words,
// the rest of the line as a text.
class Step {
 public:
  explicit Step(std::string text) : text_(std::move(text)) {
    std::istringstream in(text_);
    in >> kind_;
    for (std::string word; in >> word;) words_.push_back(word);
  }
  const std::string& kind() const { return kind_; }
  const std::string& word(std::size_t i) const {
    if (i >= words_.size()) throw Failure("the step is missing a word");
    return words_[i];
  }
  int number(std::size_t i) const { return std::stoi(word(i)); }
  const std::vector<std::string>& words() const { return words_; }
  // The line after the kind and the first `skip` words, as it stands.
  std::string rawAfter(std::size_t skip) const {
    std::istringstream in(text_);
    std::string word;
    for (std::size_t i = 0; i <= skip; ++i) in >> word;
    std::string rest;
    std::getline(in >> std::ws, rest);
    return rest;
  }
  // The same as a text: unquoted, its escapes replaced.
  std::string textAfter(std::size_t skip) const { return textOf(rawAfter(skip)); }

 private:
  std::string text_, kind_;
  std::vector<std::string> words_;
};

// Where an installation leaves its traces.
const std::string kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvex";
const std::string kTypeKey = "Quorvex Calculator";
std::string groupFolder() { return shellFolder(CSIDL_PROGRAMS) + "\\Quorvex"; }

// The shortcuts and registry values of a first installation in a language,
// as steps.
std::vector<std::string> installationSteps(const std::string& language, bool topLevel) {
  bool german = language == "de";
  std::string letter = german ? "g" : "e", arguments = german ? "deutsch" : "";
  std::string calculator = german ? "Rechner" : "Calculator", other = german ? "Calculator" : "Rechner";
  std::string program = "{folder}\\Quorvex.exe | " + arguments + " | {folder}\\Quorvex.exe,0";
  std::vector<std::string> steps = {
      "shortcut {group}\\" + std::string(german ? "Quorvex Rechner" : "Calculator") + ".LNK | " + program,
      "shortcut {group}\\" + std::string(german ? "Dokumentation" : "Documentation") +
          ".LNK | {folder}\\Quorv_" + letter + "{help} | |",
      "shortcut {group}\\" + std::string(german ? "Liesmich" : "Readme") + ".LNK | {folder}\\" +
          (german ? "Liesmich" : "Readme") + ".txt | |",
      "shortcut {group}\\Uninstall.LNK | {folder}\\Install.exe | /deinstal_" + letter +
          " {folder} | {folder}\\Install.exe,1",
      "files {group} | " + std::string(german ? "Dokumentation.LNK Liesmich.LNK Quorvex Rechner.LNK"
                                              : "Calculator.LNK Documentation.LNK Readme.LNK") +
          " Uninstall.LNK",
      "shortcut {desktop}\\" + calculator + ".LNK | " + program,
      topLevel ? "shortcut {startmenu}\\" + calculator + ".LNK | " + program
               : "no-file {startmenu}\\" + calculator + ".LNK",
      "no-file {startmenu}\\" + other + ".LNK",
      "no-file {desktop}\\" + other + ".LNK",
      "registry HKCR " + kTypeKey + " | | " + kTypeKey,
      "registry HKCR " + kTypeKey + "\\DefaultIcon | | {folder}\\Quorvex.exe,0",
      "registry HKCR " + kTypeKey + "\\Shell\\open\\command | | {folder}\\Quorvex.exe \"%1\"",
      "registry HKLM {uninstall} | DisplayName | Quorvex Calculator",
      "registry HKLM {uninstall} | UninstallString | {folder}\\Install.exe /deinstal_" + letter + " {folder}",
      "registry HKLM {uninstall} | Publisher | Brannoc Software",
      "registry HKLM {uninstall} | InstallSource | {folder}",
      "registry HKLM {uninstall} | DisplayIcon | {folder}\\Quorvex.exe,-0",
      "registry HKLM {uninstall} | DisplayVersion | 4.12",
      "registry HKLM {uninstall} | LinksDir | {group}",
      // Web addresses are the maker's choice: there, as strings.
      "registry HKLM {uninstall} | HelpLink | *",
      "registry HKLM {uninstall} | URLUpdateInfo | *",
  };
  return steps;
}

void removeInstallation() {
  deleteRegistryTree(HKEY_CLASSES_ROOT, ".QVX");
  deleteRegistryTree(HKEY_CLASSES_ROOT, kTypeKey);
  deleteRegistryTree(HKEY_LOCAL_MACHINE, kUninstallKey);
  for (const std::string& name : filesIn(groupFolder())) DeleteFileA((groupFolder() + "\\" + name).c_str());
  RemoveDirectoryA(groupFolder().c_str());
  for (int folder : {CSIDL_STARTMENU, CSIDL_DESKTOPDIRECTORY})
    for (const char* name : {"Rechner", "Calculator"})
      DeleteFileA((shellFolder(folder) + "\\" + name + ".LNK").c_str());
  closeFileManagerWindows();
}

// Wine links the desktop folder of every prefix to the Unix home folder, which
// all prefixes on the machine share: shortcuts made there by another test run
// would come and go under this one. While installer scenarios run, the
// desktop is a folder of the prefix's own; the user's setting comes back at
// the end.
class PrivateDesktop {
 public:
  PrivateDesktop() {
    for (const char* key : kKeys) saved_.push_back(registryValue(HKEY_CURRENT_USER, key, "Desktop"));
    char profile[MAX_PATH + 1] = {};
    GetEnvironmentVariableA("USERPROFILE", profile, sizeof profile);
    std::string folder = std::string(profile) + "\\Desktop of the installer tests";
    CreateDirectoryA(folder.c_str(), nullptr);
    for (const char* key : kKeys) setRegistryValue(HKEY_CURRENT_USER, key, "Desktop", {REG_SZ, folder + '\0'});
    if (shellFolder(CSIDL_DESKTOPDIRECTORY) != folder)
      throw AutomationError("the desktop folder stays " + shellFolder(CSIDL_DESKTOPDIRECTORY));
    // The uninstall would open a file manager on the folder; nobody looks.
    SetEnvironmentVariableA("QUORVEX_NO_EXPLORER", "1");
  }
  ~PrivateDesktop() {
    for (std::size_t i = 0; i < saved_.size(); ++i) {
      if (saved_[i]) setRegistryValue(HKEY_CURRENT_USER, kKeys[i], "Desktop", *saved_[i]);
      else deleteRegistryValue(HKEY_CURRENT_USER, kKeys[i], "Desktop");
    }
  }
  PrivateDesktop(const PrivateDesktop&) = delete;
  PrivateDesktop& operator=(const PrivateDesktop&) = delete;

 private:
  static constexpr const char* kKeys[] = {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                                          "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders"};
  std::vector<std::optional<RegistryValue>> saved_;
};

HKEY rootOf(const std::string& name) {
  static const std::map<std::string, HKEY> kRoots = {
      {"HKCR", HKEY_CLASSES_ROOT}, {"HKLM", HKEY_LOCAL_MACHINE}, {"HKCU", HKEY_CURRENT_USER}};
  auto root = kRoots.find(name);
  if (root == kRoots.end()) throw Failure("no registry root " + name);
  return root->second;
}

// The fields of a text split at "|", without the blanks around them.
std::vector<std::string> fieldsOf(const std::string& text, std::size_t count) {
  std::vector<std::string> fields;
  std::istringstream in(text);
  for (std::string field; std::getline(in, field, '|');) {
    std::size_t first = field.find_first_not_of(' '), last = field.find_last_not_of(' ');
    fields.push_back(first == std::string::npos ? "" : field.substr(first, last - first + 1));
  }
  if (!text.empty() && text.back() == '|') fields.push_back("");
  if (fields.size() != count) throw Failure("the step wants " + std::to_string(count) + " fields split by |");
  return fields;
}

class Runner {
 public:
  explicit Runner(std::map<std::string, int> ids) : ids_(std::move(ids)) {}

  void run(const Scenario& scenario) {
    installer_ = scenario.installer;
    if (installer_) {
      if (!desktop_) desktop_ = std::make_unique<PrivateDesktop>();
      removeInstallation();
    }
    newRun(0);
    try {
      for (const Line& line : scenario.steps) {
        try {
          perform(Step(expand(line.text)));
        } catch (const std::exception& e) {
          throw Failure(line.where + ": " + line.text + "\n    " + e.what());
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

  static const std::map<std::string, Action>& steps() {
    static const std::map<std::string, Action> table = {
        {"write", [](Runner& r, const Step& s) { r.calc().writeFile(s.word(0), s.textAfter(1)); }},
        {"start", [](Runner& r, const Step& s) { r.calc().start(s.rawAfter(0)); }},
        {"launch", [](Runner& r, const Step& s) { r.calc().launch(s.rawAfter(0)); }},
        {"box", [](Runner& r, const Step& s) { r.answerBox(s.textAfter(0)); }},
        {"window", [](Runner& r, const Step&) { r.calc().waitForMainWindow(); }},
        {"exit", [](Runner& r, const Step& s) { expectEqual("exit code", s.word(0), std::to_string(r.calc().close())); }},
        {"set", [](Runner& r, const Step& s) { r.calc().setText(r.id(s.word(0)), s.textAfter(1)); }},
        {"type", [](Runner& r, const Step& s) { r.calc().typeChars(r.id(s.word(0)), s.textAfter(1)); }},
        {"click", [](Runner& r, const Step& s) { r.calc().click(r.id(s.word(0))); }},
        {"focus",
         [](Runner& r, const Step& s) {
           r.calc().clickInto(r.id(s.word(0)));
           r.calc().setCaret(r.id(s.word(0)), -1);
         }},
        {"choose", [](Runner& r, const Step& s) { r.calc().selectCombo(r.id(s.word(0)), s.number(1)); }},
        {"pick", [](Runner& r, const Step& s) { r.calc().selectListItem(r.id(s.word(0)), s.number(1)); }},
        {"menu", [](Runner& r, const Step& s) { r.menuCommand(r.id(s.word(0))); }},
        {"key", [](Runner& r, const Step& s) { r.pressKey(r.id(s.word(0)), keyOf(s.word(1))); }},
        {"close", [](Runner& r, const Step& s) { post(r.windowOf(s.word(0)), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"tick",
         [](Runner&, const Step& s) {
           // The calculator's timer: some of its behaviour happens only on a tick.
           int ticks = s.words().empty() ? 1 : s.number(0);
           std::this_thread::sleep_for(ticks * kTick + milliseconds(300));
         }},
        {"widen", [](Runner& r, const Step& s) { r.widen(s.number(0), s.number(1)); }},
        {"move", [](Runner& r, const Step& s) { r.moveMainWindow(s.number(0), s.number(1)); }},
        {"expect",
         [](Runner& r, const Step& s) {
           std::string wanted = s.textAfter(1);
           expectEqual(s.word(0), wanted, r.calc().waitForText(r.id(s.word(0)), wanted, kStateWait));
         }},
        {"checked", [](Runner& r, const Step& s) { r.expectSoon(s, [&] { return yesNo(r.calc().checked(r.id(s.word(0)))); }); }},
        {"chosen",
         [](Runner& r, const Step& s) {
           expectEqual(s.word(0), s.word(1), std::to_string(r.calc().comboSelection(r.id(s.word(0)))));
         }},
        {"items",
         [](Runner& r, const Step& s) {
           std::string joined;
           for (const std::string& item : r.calc().listItems(r.id(s.word(0))))
             joined += (joined.empty() ? "" : " | ") + item;
           expectEqual(s.word(0), s.textAfter(1), joined);
         }},
        {"visible", [](Runner& r, const Step& s) { r.expectSoon(s, [&] { return yesNo(r.calc().visible(r.id(s.word(0)))); }); }},
        {"caret",
         [](Runner& r, const Step& s) {
           auto [from, to] = r.calc().selection(r.id(s.word(0)));
           expectEqual(s.word(0), s.word(1) + " " + s.word(2), std::to_string(from) + " " + std::to_string(to));
         }},
        {"grown", [](Runner& r, const Step& s) { r.expectGrown(s.word(0), s.number(1), s.number(2)); }},
        {"gone",
         [](Runner& r, const Step& s) {
           if (!waitUntil([&] { return r.calc().findControl(r.id(s.word(0))) == nullptr; }, kStateWait))
             throw Failure("the window holding " + s.word(0) + " is still open");
         }},
        {"title",
         [](Runner& r, const Step& s) {
           std::string wanted = s.textAfter(0), seen;
           waitUntil([&] { return (seen = r.calc().title()) == wanted; }, kStateWait);
           expectEqual("title", wanted, seen);
         }},
        {"minimized",
         [](Runner& r, const Step& s) {
           std::string seen;
           // Minimized when created, or at the latest when the first tick is over.
           waitUntil([&] { return (seen = yesNo(r.calc().minimized())) == s.word(0); }, 2 * kTick);
           expectEqual("minimized", s.word(0), seen);
         }},
        {"clipboard", [](Runner&, const Step& s) { putClipboardText(s.textAfter(0)); }},
        {"expect-clipboard",
         [](Runner&, const Step& s) {
           std::string wanted = s.textAfter(0), seen;
           waitUntil([&] { return (seen = clipboardText().value_or("")) == wanted; }, kStateWait);
           expectEqual("the clipboard", wanted, seen);
         }},
        {"folder-length", [](Runner& r, const Step& s) { r.newRun(static_cast<std::size_t>(s.number(0))); }},
        {"press", [](Runner& r, const Step& s) { r.calc().press(r.id(s.word(0))); }},
        {"caption",
         [](Runner& r, const Step& s) {
           expectEqual("caption", s.textAfter(0), windowText(r.calc().waitForMessageBox().window));
         }},
        {"box-yes", [](Runner& r, const Step& s) { r.answerBox(s.textAfter(0), IDYES); }},
        {"box-no", [](Runner& r, const Step& s) { r.answerBox(s.textAfter(0), IDNO); }},
        {"box-any", [](Runner& r, const Step&) { r.calc().answer(r.calc().waitForMessageBox()); }},
        {"ends", [](Runner& r, const Step& s) { expectEqual("exit code", s.word(0), std::to_string(r.calc().waitForExit())); }},
        {"shortcut", [](Runner& r, const Step& s) { r.expectShortcut(fieldsOf(s.textAfter(0), 4)); }},
        {"registry", [](Runner&, const Step& s) { expectRegistry(rootOf(s.word(0)), fieldsOf(s.textAfter(1), 3)); }},
        {"set-registry",
         [](Runner&, const Step& s) {
           auto f = fieldsOf(s.textAfter(1), 3);
           setRegistryValue(rootOf(s.word(0)), f[0], f[1], {REG_SZ, f[2] + '\0'});
         }},
        {"no-key",
         [](Runner&, const Step& s) {
           if (registryKeyExists(rootOf(s.word(0)), s.textAfter(1))) throw Failure("the key is there");
         }},
        {"installed",
         [](Runner& r, const Step& s) {
           for (const std::string& line : installationSteps(s.word(0), s.word(1) == "top"))
             r.perform(Step(r.expand(line)));
         }},
        {"no-traces", [](Runner& r, const Step&) { r.expectNoTraces(); }},
        {"help", [](Runner& r, const Step& s) { r.expectHelp(s.textAfter(0)); }},
        {"delete",
         [](Runner& r, const Step& s) {
           if (!DeleteFileA(r.pathOf(s.textAfter(0)).c_str())) throw Failure(lastErrorText("cannot delete"));
         }},
        {"files",
         [](Runner& r, const Step& s) {
           auto f = fieldsOf(s.textAfter(0), 2);
           std::string seen;
           for (const std::string& name : filesIn(r.pathOf(f[0]))) seen += (seen.empty() ? "" : " ") + name;
           expectEqual(f[0], f[1], seen);
         }},
        {"file", [](Runner& r, const Step& s) { expectEqual(s.word(0), s.textAfter(1), r.calc().readFile(s.word(0))); }},
        {"file-line", [](Runner& r, const Step& s) { r.expectLine(s.word(0), s.textAfter(1)); }},
        {"no-file",
         [](Runner& r, const Step& s) {
           if (fileExists(r.pathOf(s.textAfter(0)))) throw Failure(s.textAfter(0) + " is there");
         }},
        {"file-bytes", [](Runner& r, const Step& s) { r.expectBytes(s); }},
        {"file-int", [](Runner& r, const Step& s) { r.expectInt(s.word(0), s.number(1), s.number(2)); }},
        {"file-size",
         [](Runner& r, const Step& s) {
           expectEqual(s.word(0) + " size", s.word(1), std::to_string(r.calc().readFile(s.word(0)).size()));
         }},
    };
    return table;
  }

  void perform(const Step& step) {
    auto action = steps().find(step.kind());
    if (action == steps().end()) throw Failure("no step is called " + shown(step.kind()));
    action->second(*this, step);
  }

  int id(const std::string& name) const {
    auto found = ids_.find(name);
    if (found == ids_.end()) throw Failure("the resource header names no " + name);
    return found->second;
  }

  ProgramRun& calc() const { return *run_; }

  void newRun(std::size_t folderLength) {
    run_.reset();
    run_ = std::make_unique<ProgramRun>(installer_ ? installerProgram() : calculatorProgram(),
                                        ProgramRun::Placement::FreshFolder, folderLength);
    // Help calls are noted in the folder (the viewer does not tell which
    // topic it shows), and the help files stand beside the program.
    SetEnvironmentVariableA("QVX_HELP_LOG", run_->pathOf("help-calls.txt").c_str());
    std::string built = calculatorProgram().path;
    built.erase(built.find_last_of('\\') + 1);
    for (const char* help : {"Quorv_e.chm", "Quorv_g.chm"})
      CopyFileA((built + help).c_str(), run_->pathOf(help).c_str(), FALSE);
    // The installer only points at the calculator's other files; stand-ins will do.
    if (installer_)
      for (auto [name, bytes] : {std::pair{"Quorvex.exe", "MZ stand-in"}, {"Readme.txt", "Readme\r\n"},
                                 {"Liesmich.txt", "Liesmich\r\n"}})
        run_->writeFile(name, bytes);
  }

  void finish() {
    run_->kill();
    run_.reset();
    if (installer_) removeInstallation();
  }

  // A whole path as it stands, else a name in the program's folder.
  std::string pathOf(const std::string& path) const {
    return path.find(':') != std::string::npos ? path : calc().pathOf(path);
  }

  std::string expand(std::string text) const {
    auto upper = [](std::string t) {
      for (char& c : t) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      return t;
    };
    char windows[MAX_PATH + 1] = {};
    GetWindowsDirectoryA(windows, sizeof windows);
    const std::pair<std::string, std::function<std::string()>> kPlaces[] = {
        {"{folder}", [&] { return calc().folder(); }},
        {"{FOLDER}", [&] { return upper(calc().folder()); }},
        {"{group}", groupFolder},
        {"{startmenu}", [] { return shellFolder(CSIDL_STARTMENU); }},
        {"{desktop}", [] { return shellFolder(CSIDL_DESKTOPDIRECTORY); }},
        {"{uninstall}", [] { return kUninstallKey; }},
        // The help viewer decides between the two help formats.
        {"{help}", [&] { return fileExists(std::string(windows) + "\\hh.exe") ? ".chm" : ".hlp"; }},
    };
    for (const auto& [name, value] : kPlaces)
      for (std::size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), value());
    // {N*c}: N times the character c.
    for (std::size_t at; (at = text.find('{')) != std::string::npos;) {
      std::size_t star = text.find('*', at), end = text.find('}', at);
      if (star == std::string::npos || end != star + 2) break;
      text.replace(at, end - at + 1, std::string(std::stoul(text.substr(at + 1, star - at - 1)), text[star + 1]));
    }
    return text;
  }

  void expectShortcut(const std::vector<std::string>& f) const {
    auto link = readShortcut(f[0]);
    if (!link) throw Failure("no shortcut file " + f[0]);
    std::string icon = link->iconFile + "," + std::to_string(link->iconIndex);
    expectEqual(f[0], f[1] + " | " + f[2] + " | " + (f[3].empty() ? ",0" : f[3]) + " | " + calc().folder() + " | Quorvex",
                link->target + " | " + link->arguments + " | " + icon + " | " + link->workingDirectory + " | " +
                    link->description);
  }

  static void expectRegistry(HKEY root, const std::vector<std::string>& f) {
    auto value = registryValue(root, f[0], f[1]);
    if (!value || value->type != REG_SZ) throw Failure(f[0] + " has no string value \"" + f[1] + "\"");
    if (f[2] != "*") expectEqual(f[0] + " " + f[1], f[2] + '\0', value->bytes);
  }

  // The last help call, and the help viewer's window.
  void expectHelp(const std::string& wanted) const {
    std::string seen;
    auto lastCall = [&] {
      std::string calls = calc().readFile("help-calls.txt");
      std::size_t end = calls.find_last_not_of('\n');
      seen = end == std::string::npos ? "" : calls.substr(calls.find_last_of('\n', end) + 1, std::string::npos);
      if (!seen.empty() && seen.back() == '\n') seen.pop_back();
      return seen == wanted;
    };
    waitUntil(lastCall, kStateWait);
    expectEqual("help call", wanted, seen);
    auto viewer = [&] {
      for (HWND window : windowsOf(calc().processId()))
        if (className(window) == "HH Parent" && IsWindowVisible(window)) return true;
      return false;
    };
    if (!waitUntil(viewer, kStateWait)) throw Failure("no help viewer window");
  }

  void expectNoTraces() const {
    for (const auto& [root, key] : {std::pair{HKEY_CLASSES_ROOT, std::string(".QVX")}, {HKEY_CLASSES_ROOT, kTypeKey},
                                    {HKEY_LOCAL_MACHINE, kUninstallKey}})
      if (registryKeyExists(root, key)) throw Failure("the registry key " + key + " is left");
    std::vector<std::string> paths = {groupFolder()};
    for (int folder : {CSIDL_STARTMENU, CSIDL_DESKTOPDIRECTORY})
      for (const char* name : {"Rechner", "Calculator"}) paths.push_back(shellFolder(folder) + "\\" + name + ".LNK");
    for (const std::string& path : paths)
      if (fileExists(path)) throw Failure(path + " is left");
  }

  HWND windowOf(const std::string& control) const { return GetParent(calc().control(id(control))); }

  // A state the program reaches by itself (a timer tick, a notification).
  void expectSoon(const Step& s, const std::function<std::string()>& read) const {
    std::string seen;
    waitUntil([&] { return (seen = read()) == s.word(1); }, kStateWait);
    expectEqual(s.word(0), s.word(1), seen);
  }

  // A key pressed in a control. F1 is the one key that must come from the
  // keyboard itself: the help request is made where the system takes a
  // key from the keyboard, not from a posted message. It goes to the
  // control's window, brought to the front.
  void pressKey(int control, int key) const {
    if (key != VK_F1) {
      calc().pressKey(control, key);
      return;
    }
    HWND window = GetParent(calc().control(control));
    SetForegroundWindow(window);
    if (!waitUntil([&] { return GetForegroundWindow() == window; }, kStateWait))
      throw Failure("the window does not come to the front");
    INPUT press[2] = {};
    for (INPUT& input : press) {
      input.type = INPUT_KEYBOARD;
      input.ki.wVk = VK_F1;
    }
    press[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, press, sizeof(INPUT));
  }

  // Runs the command and waits for it, unless it asks something in a message
  // box first: then a "box" step answers it.
  void menuCommand(int command) {
    DWORD_PTR unused = 0;
    if (!SendMessageTimeoutA(calc().main(), WM_SYSCOMMAND, command, 0, SMTO_NORMAL, 1000, &unused) &&
        !calc().findMessageBox())
      throw Failure("the menu command got no answer");
  }

  void answerBox(const std::string& wanted, int answer = IDOK) {
    MessageBoxInfo box = calc().waitForMessageBox();
    calc().answer(box, answer);
    expectEqual("message box", wanted, box.text);
  }

  void expectLine(const std::string& file, const std::string& wanted) const {
    std::istringstream lines(calc().readFile(file));
    for (std::string line; std::getline(lines, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line == wanted) return;
    }
    throw Failure(file + " has no line " + shown(wanted));
  }

  void expectBytes(const Step& s) const {
    std::string bytes = calc().readFile(s.word(0));
    std::size_t at = static_cast<std::size_t>(s.number(1));
    std::string wanted, seen;
    for (std::size_t i = 2; i < s.words().size(); ++i, ++at) {
      wanted += s.word(i) + " ";
      seen += (at < bytes.size() ? std::to_string(static_cast<unsigned char>(bytes[at])) : "-") + " ";
    }
    expectEqual(s.word(0) + " from byte " + s.word(1), wanted, seen);
  }

  void expectInt(const std::string& file, int at, int wanted) const {
    std::string bytes = calc().readFile(file);
    if (bytes.size() < static_cast<std::size_t>(at) + 4) throw Failure(file + " is too short");
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    expectEqual(file + " at " + std::to_string(at), std::to_string(wanted),
                std::to_string(static_cast<std::int32_t>(value)));
  }

  RECT rectOf(int control) const {
    RECT r{};
    GetWindowRect(calc().control(control), &r);
    return r;
  }

  // Drags the frame: the window may correct the proposed rectangle.
  void widen(int dx, int dy) {
    before_.clear();
    for (const auto& [name, value] : ids_)
      if (name.rfind("IDC_", 0) == 0 && GetDlgItem(calc().main(), value)) before_[value] = rectOf(value);
    RECT proposed = calc().windowRect(), frame = proposed;
    proposed.right += dx;
    proposed.bottom += dy;
    calc().sendToMain(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&proposed));
    // The height never changes.
    expectEqual("height", std::to_string(frame.bottom - frame.top), std::to_string(proposed.bottom - proposed.top));
  }

  void expectGrown(const std::string& control, int dw, int dx) const {
    auto was = before_.find(id(control));
    if (was == before_.end()) throw Failure("no \"widen\" step before");
    RECT now = rectOf(id(control));
    char text[64];
    std::snprintf(text, sizeof text, "%ld wider, %ld further right", (now.right - now.left) - (was->second.right - was->second.left),
                  now.left - was->second.left);
    expectEqual(control, std::to_string(dw) + " wider, " + std::to_string(dx) + " further right", text);
  }

  // Moves the main window and waits until every other window of the
  // calculator has moved by as much.
  void moveMainWindow(int dx, int dy) {
    DWORD process = 0;
    GetWindowThreadProcessId(calc().main(), &process);
    std::map<HWND, RECT> before;
    for (HWND dialog : dialogsOf(process)) {
      RECT r{};
      if (IsWindowVisible(dialog) && GetWindowRect(dialog, &r)) before[dialog] = r;
    }
    RECT r = before.at(calc().main());
    SetWindowPos(calc().main(), nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (auto& [dialog, was] : before) {
      RECT now{};
      auto followed = [&] {
        GetWindowRect(dialog, &now);
        return now.left == was.left + dx && now.top == was.top + dy;
      };
      if (!waitUntil(followed, kStateWait)) {
        char what[160];
        std::snprintf(what, sizeof what, "a window at (%ld, %ld) went to (%ld, %ld), not by (%d, %d)",
                      was.left, was.top, now.left, now.top, dx, dy);
        throw Failure(what);
      }
    }
  }

  std::map<std::string, int> ids_;
  bool installer_ = false;
  std::unique_ptr<ProgramRun> run_;
  std::unique_ptr<PrivateDesktop> desktop_;
  std::map<int, RECT> before_;  // control rectangles before "widen"
};

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> headers, files;
  for (int i = 1; i < argc; ++i) {
    std::string path = windowsPath(argv[i]);
    (path.size() > 2 && path.compare(path.size() - 2, 2, ".h") == 0 ? headers : files).push_back(path);
  }
  if (headers.empty() || files.empty()) {
    std::fprintf(stderr, "usage: window_scenarios HEADER... FILE...\n");
    return 2;
  }
  int passed = 0, failed = 0;
  try {
    std::map<std::string, int> ids;
    for (const std::string& header : headers) ids.merge(readIds(header));
    Runner runner(std::move(ids));
    for (const std::string& file : files) {
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
