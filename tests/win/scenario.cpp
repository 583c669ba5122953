// Runs scenario files against the real calculator, as a user would work it.
//
//   calculator_scenarios RESOURCE_HEADER FILE...
//
// A scenario starts with a line "== what it shows" and is a list of steps,
// one a line: a step kind, then its words. Controls are named as in the
// resource header (IDC_...). A text is the rest of the line, or a quoted
// text where blanks at its ends matter or it is empty; \r, \n, \t, \" and
// \\ stand for themselves in it. "#" at the start of a line is a comment.
//
// Steps:
//   start [ARGUMENTS]        the calculator in a fresh folder, with that command line
//   set ID TEXT              the control's text (WM_SETTEXT)
//   type ID TEXT             the characters, typed into the control
//   click ID                 a click on the button
//   focus ID                 a click into the field, caret at its end
//   tick                     one tick of the calculator's timer has passed
//   expect ID TEXT           the control shows the text (waited for)
//   checked ID yes|no        the check mark of a check box or radio button
//   clipboard TEXT           the clipboard holds the text
//   expect-clipboard TEXT    the clipboard shows the text (waited for)
//   esc ID                   the Esc key in the window holding the control
//   close ID                 that window's close box
//   gone ID                  no window holds the control any more (waited for)
//   move DX DY               the main window moves; every window beside it follows
//   exit CODE                Esc in the main window; the program ends with CODE
//   file-line NAME TEXT      the file in the program's folder has a line TEXT
//
// Each scenario runs to its first failing step; the run ends with the
// count of scenarios passed and failed, and exit status 1 if any failed.
#include "automation.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace automation;

namespace {

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

// Control ids by their names: every "#define NAME NUMBER" of the header.
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
      scenarios.push_back({text.substr(text.find_first_not_of("= "), std::string::npos), {}});
    } else if (scenarios.empty()) {
      throw Failure(where + ": a step before the first \"==\" line");
    } else {
      scenarios.back().steps.push_back({where, text});
    }
  }
  return scenarios;
}

// A text argument: quoted, with escapes, or the words as they stand.
std::string textOf(std::string rest) {
  if (rest.size() < 2 || rest.front() != '"' || rest.back() != '"') return rest;
  std::string text;
  for (std::size_t i = 1; i + 1 < rest.size(); ++i) {
    char c = rest[i];
    if (c == '\\' && i + 2 < rest.size()) {
      c = rest[++i];
      c = c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
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

// One step, split into its kind, its first words and the rest as a text.
struct Step {
  std::string kind;
  std::vector<std::string> words;
  std::string rest;

  Step(const std::string& text, std::size_t wordCount) {
    std::istringstream in(text);
    in >> kind;
    std::string word;
    while (words.size() < wordCount && in >> word) words.push_back(word);
    std::getline(in >> std::ws, rest);
  }
};

class Runner {
 public:
  explicit Runner(std::map<std::string, int> ids) : ids_(std::move(ids)) {}

  void run(const Scenario& scenario) {
    calc_.reset();
    for (const Line& line : scenario.steps) {
      try {
        step(line.text);
      } catch (const std::exception& e) {
        if (calc_) calc_->kill();
        throw Failure(line.where + ": " + line.text + "\n    " + e.what());
      }
    }
    if (calc_ && calc_->running()) calc_->kill();
  }

 private:
  int id(const std::string& name) const {
    auto found = ids_.find(name);
    if (found == ids_.end()) throw Failure("no control is named " + name);
    return found->second;
  }

  Calculator& calc() const {
    if (!calc_) throw Failure("the calculator was not started");
    return *calc_;
  }

  void expectEqual(const std::string& what, const std::string& wanted, const std::string& seen) const {
    if (seen != wanted) throw Failure(what + ": wanted " + shown(wanted) + ", saw " + shown(seen));
  }

  HWND windowOf(const std::string& control) const { return GetParent(calc().control(id(control))); }

  void step(const std::string& text) {
    Step s(text, 2);
    const std::string& kind = s.kind;
    auto word = [&](std::size_t i) -> const std::string& {
      if (i >= s.words.size()) throw Failure("the step is missing a word");
      return s.words[i];
    };
    // The text after one word: the rest of the line past the control's name.
    auto textAfterId = [&] { return textOf(Step(text, 1).rest); };

    if (kind == "start") {
      calc_ = std::make_unique<Calculator>();
      calc_->start(Step(text, 0).rest);
    } else if (kind == "set") {
      calc().setText(id(word(0)), textAfterId());
    } else if (kind == "type") {
      calc().typeChars(id(word(0)), textAfterId());
    } else if (kind == "click") {
      calc().click(id(word(0)));
    } else if (kind == "focus") {
      calc().clickInto(id(word(0)));
      calc().setCaret(id(word(0)), -1);
    } else if (kind == "tick") {
      std::this_thread::sleep_for(kTick + milliseconds(300));
    } else if (kind == "expect") {
      std::string wanted = textAfterId();
      expectEqual(word(0), wanted, calc().waitForText(id(word(0)), wanted));
    } else if (kind == "checked") {
      expectEqual(word(0), word(1), calc().checked(id(word(0))) ? "yes" : "no");
    } else if (kind == "clipboard") {
      putClipboardText(textOf(Step(text, 0).rest));
    } else if (kind == "expect-clipboard") {
      std::string wanted = textOf(Step(text, 0).rest), seen;
      waitUntil([&] { return (seen = clipboardText().value_or("")) == wanted; }, kExpectWait);
      expectEqual("the clipboard", wanted, seen);
    } else if (kind == "esc") {
      calc().pressKey(id(word(0)), VK_ESCAPE);
    } else if (kind == "close") {
      post(windowOf(word(0)), WM_SYSCOMMAND, SC_CLOSE, 0);
    } else if (kind == "gone") {
      if (!waitUntil([&] { return calc().findControl(id(word(0))) == nullptr; }, kExpectWait))
        throw Failure("the window holding " + word(0) + " is still open");
    } else if (kind == "move") {
      moveMainWindow(std::stoi(word(0)), std::stoi(word(1)));
    } else if (kind == "exit") {
      expectEqual("exit code", word(0), std::to_string(calc().close()));
    } else if (kind == "file-line") {
      std::string wanted = textAfterId();
      std::istringstream lines(calc().readFile(word(0)));
      for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line == wanted) return;
      }
      throw Failure(word(0) + " has no line " + shown(wanted));
    } else {
      throw Failure("no step is called " + shown(kind));
    }
  }

  // Moves the main window and waits until every other window of the
  // calculator has moved by as much.
  void moveMainWindow(int dx, int dy) {
    std::map<HWND, RECT> before;
    for (HWND dialog : dialogsOf(processId())) {
      if (!IsWindowVisible(dialog)) continue;
      RECT r{};
      GetWindowRect(dialog, &r);
      before[dialog] = r;
    }
    RECT r = before.at(calc().main());
    SetWindowPos(calc().main(), nullptr, r.left + dx, r.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    for (auto& [dialog, was] : before) {
      RECT now{};
      bool followed = waitUntil(
          [&] {
            GetWindowRect(dialog, &now);
            return now.left == was.left + dx && now.top == was.top + dy;
          },
          kExpectWait);
      if (!followed) {
        char what[160];
        std::snprintf(what, sizeof what, "a window at (%ld, %ld) went to (%ld, %ld), not by (%d, %d)",
                      was.left, was.top, now.left, now.top, dx, dy);
        throw Failure(what);
      }
    }
  }

  DWORD processId() const {
    DWORD process = 0;
    GetWindowThreadProcessId(calc().main(), &process);
    return process;
  }

  std::map<std::string, int> ids_;
  std::unique_ptr<Calculator> calc_;
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
