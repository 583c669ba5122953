// The line input through libedit's readline interface.
#include <editline/readline.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <filesystem>

#include "cli/line_editor.h"

namespace {

std::vector<std::string> completions;
std::string historyPath;
constexpr int kKeptLines = 1000;

// Ctrl-C at the prompt drops the line being typed and prompts again, as a
// shell does; the session, its settings and variables go on. Caught (not
// left to kill qvx) and without SA_RESTART, the signal ends libedit's read,
// and readline gives back an empty line.
void onInterrupt(int) {}

// $XDG_STATE_HOME/qvx/history, by default ~/.local/state/qvx/history.
std::string findHistoryPath() {
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state != nullptr && state[0] == '/') return std::string(state) + "/qvx/history";
  const char* home = std::getenv("HOME");
  if (home == nullptr || home[0] == '\0') return std::string();
  return std::string(home) + "/.local/state/qvx/history";
}

// readline asks for one match after another until it gets none. Case does
// not matter: "eu" completes to "Eul", "x" to "X".
char* nextCompletion(const char* text, int state) {
  static std::size_t next;
  if (state == 0) next = 0;
  std::size_t length = std::strlen(text);
  while (next < completions.size()) {
    const std::string& word = completions[next++];
    if (word.size() >= length && strncasecmp(word.c_str(), text, length) == 0)
      return strdup(word.c_str());
  }
  return nullptr;
}

char** complete(const char* text, int, int) {
  rl_attempted_completion_over = 1;  // no file names
  // Nothing after a completed word: a function name brings its own "(".
  rl_completion_append_character = '\0';
  return rl_completion_matches(text, nextCompletion);
}

}  // namespace

void openLineEditor(const std::vector<std::string>& words) {
  completions = words;
  rl_catch_signals = 0;
  struct sigaction action = {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  rl_readline_name = const_cast<char*>("qvx");
  rl_attempted_completion_function = complete;
  // A name ends at an operator, a bracket or a blank.
  static char breaks[] = " \t\n()+-*/^~'<>\\&|=,;[]%$#";
  rl_basic_word_break_characters = breaks;
  rl_completer_word_break_characters = breaks;
  using_history();
  stifle_history(kKeptLines);
  historyPath = findHistoryPath();
  if (historyPath.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(historyPath).parent_path(), ignored);
  read_history(historyPath.c_str());
}

bool readEditedLine(const char* prompt, std::string& line) {
  char* typed = readline(prompt);
  if (typed == nullptr) return false;
  line = typed;
  std::free(typed);
  if (line.find_first_not_of(' ') == std::string::npos) return true;
  add_history(line.c_str());
  // Kept at once: a terminal closed or a Ctrl-C loses no line.
  if (!historyPath.empty()) write_history(historyPath.c_str());
  return true;
}

void closeLineEditor() {}
