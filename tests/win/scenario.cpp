// Runs scenario files against the real calculator, as a user would work it.
//
//   calculator_scenarios RESOURCE_HEADER FILE...
//
// A scenario starts with a line "== what it shows" and is a list of steps,
// one a line: a step kind, then its words. Controls and menu entries are
// named as in the resource header (IDC_..., IDM_...). A TEXT is the rest of
// the line, or a quoted text where blanks at its ends matter or it is empty;
// \r, \n, \t, \xHH, \" and \\ stand for what they say in it. "#" at the
// start of a line is a comment. Every scenario has a fresh folder, which is
// the program's folder and working directory.
//
// Starting and ending:
//   write NAME TEXT          a file in the folder, before the start
//   start [ARGUMENTS]        the calculator with that command line (as it stands,
//                            quotes and all); its window is up
//   launch [ARGUMENTS]       the same, without waiting for the window
//   box TEXT                 a message box with that text comes up and is answered OK
//   window                   the main window is up, after the message boxes
//   exit CODE                Esc in the main window; the program ends with CODE
//   esc-exit ID CODE         the Esc key in that control ends the program with CODE
// The controls:
//   set ID TEXT              the control's text (WM_SETTEXT)
//   type ID TEXT             the characters, typed into the control
//   click ID                 a click on the button
//   focus ID                 a click into the field, caret at its end
//   choose ID N              entry N of a drop-down list, as the user picks it
//   pick ID N                entry N of a list box, as the user picks it
//   menu ID                  a command of the system menu
//   esc ID                   the Esc key in the window holding the control
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
//   no-file NAME             there is no such file
//   file-bytes NAME AT B...  the bytes from offset AT (decimal numbers)
//   file-int NAME AT N       a 32-bit little-endian number at offset AT
//   file-size NAME N         the file's size
//
// Each scenario runs to its first failing step; the run ends with the
// count of scenarios passed and failed, and exit status 1 if any failed.
#include "automation.h"

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
  int number = 0;
  for (std::string text; std::getline(in, text);) {
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos || text[first] == '#') continue;
    text = text.substr(first);
    std::string where = path.substr(path.find_last_of("\\/") + 1) + ":" + std::to_string(number);
    if (text.rfind("==", 0) == 0) {
      scenarios.push_back({text.substr(text.find_first_not_of("= ")), {}});
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

class Runner {
 public:
  explicit Runner(std::map<std::string, int> ids) : ids_(std::move(ids)) {}

  void run(const Scenario& scenario) {
    calc_ = std::make_unique<Calculator>();
    for (const Line& line : scenario.steps) {
      try {
        perform(Step(line.text));
      } catch (const std::exception& e) {
        calc_->kill();
        throw Failure(line.where + ": " + line.text + "\n    " + e.what());
      }
    }
    calc_.reset();
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
        {"esc-exit",
         [](Runner& r, const Step& s) {
           expectEqual("exit code", s.word(1), std::to_string(r.calc().closeWithEscapeKey(r.id(s.word(0)))));
         }},
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
        {"esc", [](Runner& r, const Step& s) { r.calc().pressKey(r.id(s.word(0)), VK_ESCAPE); }},
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
        {"file", [](Runner& r, const Step& s) { expectEqual(s.word(0), s.textAfter(1), r.calc().readFile(s.word(0))); }},
        {"file-line", [](Runner& r, const Step& s) { r.expectLine(s.word(0), s.textAfter(1)); }},
        {"no-file",
         [](Runner& r, const Step& s) {
           if (r.calc().hasFile(s.word(0))) throw Failure(s.word(0) + " is there");
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

  Calculator& calc() const { return *calc_; }

  HWND windowOf(const std::string& control) const { return GetParent(calc().control(id(control))); }

  // A state the program reaches by itself (a timer tick, a notification).
  void expectSoon(const Step& s, const std::function<std::string()>& read) const {
    std::string seen;
    waitUntil([&] { return (seen = read()) == s.word(1); }, kStateWait);
    expectEqual(s.word(0), s.word(1), seen);
  }

  // Runs the command and waits for it, unless it asks something in a message
  // box first: then a "box" step answers it.
  void menuCommand(int command) {
    DWORD_PTR unused = 0;
    if (!SendMessageTimeoutA(calc().main(), WM_SYSCOMMAND, command, 0, SMTO_NORMAL, 1000, &unused) &&
        !calc().findMessageBox())
      throw Failure("the menu command got no answer");
  }

  void answerBox(const std::string& wanted) {
    MessageBoxInfo box = calc().waitForMessageBox();
    calc().answer(box);
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
  std::unique_ptr<Calculator> calc_;
  std::map<int, RECT> before_;  // control rectangles before "widen"
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: calculator_scenarios RESOURCE_HEADER FILE...\n");
    return 2;
  }
  int passed = 0, failed = 0;
  try {
    Runner runner(readIds(windowsPath(argv[1])));
    for (int i = 2; i < argc; ++i) {
      for (const Scenario& scenario : readScenarios(windowsPath(argv[i]))) {
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
    std::fprintf(stderr, "calculator_scenarios: %s\n", e.what());
    return 2;
  }
  std::printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
